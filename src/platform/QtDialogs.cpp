#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <array>
#include <utility>

namespace {

QWidget *activeWindow() { return QApplication::activeWindow(); }

constexpr std::array<std::pair<Dialogs::Button, QMessageBox::StandardButton>, 7> buttonMap{{
    {Dialogs::Ok, QMessageBox::Ok},
    {Dialogs::Cancel, QMessageBox::Cancel},
    {Dialogs::Abort, QMessageBox::Abort},
    {Dialogs::Retry, QMessageBox::Retry},
    {Dialogs::Ignore, QMessageBox::Ignore},
    {Dialogs::Yes, QMessageBox::Yes},
    {Dialogs::No, QMessageBox::No},
}};

QMessageBox::StandardButton toQt(Dialogs::Button button)
{
    for (const auto &[ours, qt] : buttonMap)
        if (ours == button)
            return qt;
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toQt(Dialogs::Buttons buttons)
{
    QMessageBox::StandardButtons result;
    for (const auto &[ours, qt] : buttonMap)
        if (buttons.testFlag(ours))
            result |= qt;
    return result;
}

Dialogs::Button fromQt(int button)
{
    for (const auto &[ours, qt] : buttonMap)
        if (qt == button)
            return ours;
    return Dialogs::Cancel;
}

QMessageBox::Icon iconOf(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Information: return QMessageBox::Information;
    case Dialogs::Kind::Warning: return QMessageBox::Warning;
    case Dialogs::Kind::Error: return QMessageBox::Critical;
    case Dialogs::Kind::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

std::optional<QString> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

void QtDialogs::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, activeWindow());
    box.exec();
}

Dialogs::Button QtDialogs::ask(const QString &text, Kind kind, Buttons buttons, Button defaultButton)
{
    QMessageBox box(iconOf(kind), applicationTitle(), text, toQt(buttons), activeWindow());
    box.setDefaultButton(toQt(defaultButton));
    return fromQt(box.exec());
}

void QtDialogs::error(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, activeWindow());
    box.exec();
}

std::optional<QString> QtDialogs::input(const QString &caption, const QString &prompt,
                                        const QString &initial)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(activeWindow(), caption, prompt, QLineEdit::Normal,
                                               initial, &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const QString &caption, const QString &folder,
                                           const QString &filter)
{
    return chosen(QFileDialog::getOpenFileName(activeWindow(), caption, folder, filter));
}

std::optional<QString> QtDialogs::saveFile(const QString &caption, const QString &folder,
                                           const QString &filter)
{
    return chosen(QFileDialog::getSaveFileName(activeWindow(), caption, folder, filter));
}

std::optional<QString> QtDialogs::folder(const QString &caption, const QString &start)
{
    return chosen(QFileDialog::getExistingDirectory(activeWindow(), caption, start));
}
