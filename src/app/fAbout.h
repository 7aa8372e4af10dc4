#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's picture, name, version and build, and the
// maker's web address, which opens the maker's home page when clicked.
class TAboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

public slots:
    void Label2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();

    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *Label1;
    QLabel *Version;
    QLabel *lblBuild;
    QLabel *Label2;
    QPushButton *OKButton;
};
