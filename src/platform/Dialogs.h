#pragma once

#include "platform/Seam.h"

#include <QFlags>
#include <QString>

#include <optional>

// Every message box, input box and file dialog the program shows goes through
// here, so that tests can answer them and read what was shown.
class Dialogs : public Seam<Dialogs>
{
public:
    // Results carry the classic modal-result numbers (OK 1, Cancel 2, ...),
    // which some callers return as integers.
    enum Button {
        NoButton = 0,
        Ok = 1,
        Cancel = 2,
        Abort = 3,
        Retry = 4,
        Ignore = 5,
        Yes = 6,
        No = 7,
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    enum class Kind { Information, Warning, Error, Question };

    // A plain message box: the text, an OK button, the application title as caption.
    virtual void message(const QString &text) = 0;
    // A box of the given kind with a choice of buttons; returns the one pressed.
    virtual Button ask(const QString &text, Kind kind, Buttons buttons, Button defaultButton) = 0;
    // An error box with its own title.
    virtual void error(const QString &title, const QString &text) = 0;
    // The input box: nullopt when cancelled.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &initial) = 0;
    virtual std::optional<QString> openFile(const QString &caption, const QString &folder,
                                            const QString &filter) = 0;
    virtual std::optional<QString> saveFile(const QString &caption, const QString &folder,
                                            const QString &filter) = 0;
    virtual std::optional<QString> folder(const QString &caption, const QString &start) = 0;

    // Convenience for the most common question.
    bool confirm(const QString &text)
    {
        return ask(text, Kind::Question, Buttons(Yes) | No, Yes) == Yes;
    }
};
Q_DECLARE_OPERATORS_FOR_FLAGS(Dialogs::Buttons)

// The caption of every plain message box.
inline QString applicationTitle() { return QStringLiteral("Kestrelvane Point of Sale"); }
