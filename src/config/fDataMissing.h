#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Tells the user that the data folder lacks data files and lets them point
// the program at another folder or give up.
class TfrmDataMissing : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmDataMissing(const QString &folder, QWidget *parent = nullptr);

    QString folderText() const;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void FormShow();
    void btnBrowseDataLocClick();

private:
    void FormCreate();

    QString m_folder;
    QLabel *Label1;
    QLineEdit *diredtDataPath;
    QPushButton *btnBrowseDataLoc;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
};

// Shows the dialog on the folder. On OK the folder becomes the typed text,
// trimmed and ending in a separator, and the result is true; on Cancel the
// folder stays as it was.
bool AskDataFolder(QString &folder);
