#include "FakeDialogs.h"

namespace {
std::optional<QString> take(QQueue<std::optional<QString>> &queue)
{
    return queue.isEmpty() ? std::nullopt : queue.dequeue();
}
}

void FakeDialogs::message(const QString &text)
{
    shown.append({Shown::Type::Message, applicationTitle(), text});
}

Dialogs::Button FakeDialogs::ask(const QString &text, Kind, Buttons, Button defaultButton)
{
    shown.append({Shown::Type::Ask, applicationTitle(), text});
    return answers.isEmpty() ? defaultButton : answers.dequeue();
}

void FakeDialogs::error(const QString &title, const QString &text)
{
    shown.append({Shown::Type::Error, title, text});
}

std::optional<QString> FakeDialogs::input(const QString &caption, const QString &prompt,
                                          const QString &)
{
    shown.append({Shown::Type::Input, caption, prompt});
    return take(texts);
}

std::optional<QString> FakeDialogs::openFile(const QString &caption, const QString &, const QString &)
{
    shown.append({Shown::Type::OpenFile, caption, {}});
    return take(files);
}

std::optional<QString> FakeDialogs::saveFile(const QString &caption, const QString &, const QString &)
{
    shown.append({Shown::Type::SaveFile, caption, {}});
    return take(files);
}

std::optional<QString> FakeDialogs::folder(const QString &caption, const QString &)
{
    shown.append({Shown::Type::Folder, caption, {}});
    return take(files);
}

QStringList FakeDialogs::shownTexts() const
{
    QStringList result;
    for (const Shown &entry : shown)
        result.append(entry.text);
    return result;
}
