#pragma once

#include "platform/Dialogs.h"

// The real dialogs, over QMessageBox, QInputDialog and QFileDialog.
class QtDialogs final : public Dialogs
{
public:
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
};
