#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers every dialog from a script and records what was shown, so a test
// never blocks on a modal box and can assert the exact texts.
class FakeDialogs final : public Dialogs
{
public:
    struct Shown {
        enum class Type { Message, Ask, Error, Input, OpenFile, SaveFile, Folder } type;
        QString title;
        QString text;
    };

    QList<Shown> shown;
    // Scripted answers, taken in order; when a queue is empty the default
    // answer is used (the default button, a cancelled input or file dialog).
    QQueue<Button> answers;
    QQueue<std::optional<QString>> texts;
    QQueue<std::optional<QString>> files;

    void message(const QString &text) override;
    Button ask(const QString &text, Kind kind, Buttons buttons, Button defaultButton) override;
    void error(const QString &title, const QString &text) override;
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override;
    std::optional<QString> openFile(const QString &caption, const QString &folder,
                                    const QString &filter) override;
    std::optional<QString> saveFile(const QString &caption, const QString &folder,
                                    const QString &filter) override;
    std::optional<QString> folder(const QString &caption, const QString &start) override;

    // The texts of everything shown, in order.
    QStringList shownTexts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }
};
