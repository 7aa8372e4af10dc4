#include "config/fDataMissing.h"

#include "config/SystemHelpers.h"
#include "platform/Dialogs.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfrmDataMissing::TfrmDataMissing(const QString &folder, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
{
    FormCreate();
}

void TfrmDataMissing::FormCreate()
{
    setObjectName(u"frmDataMissing"_s);
    setWindowTitle(u"Data missing"_s);
    setFont(QFont(u"MS Sans Serif"_s));
    resize(440, 215);

    Label1 = new QLabel(u"At least some data files are missing from "_s + m_folder
                            + u". Press cancel and attempt re-installation or enter new data folder location."_s,
                        this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setWordWrap(true);
    Label1->setMinimumSize(385, 97);

    diredtDataPath = new QLineEdit(this);
    diredtDataPath->setObjectName(u"diredtDataPath"_s);
    diredtDataPath->setFont(QFont(u"Arial"_s));

    btnBrowseDataLoc = new QPushButton(u"..."_s, this);
    btnBrowseDataLoc->setObjectName(u"btnBrowseDataLoc"_s);
    btnBrowseDataLoc->setToolTip(u"Show folder browse dialog"_s);
    btnBrowseDataLoc->setAutoDefault(false);

    OKBtn = new QPushButton(u"&OK"_s, this);
    OKBtn->setObjectName(u"OKBtn"_s);
    OKBtn->setToolTip(u"Quit and Save Changes"_s);
    OKBtn->setDefault(true);

    CancelBtn = new QPushButton(u"&Cancel"_s, this);
    CancelBtn->setObjectName(u"CancelBtn"_s);
    CancelBtn->setToolTip(u"Quit and Do Not Save Changes"_s);
    CancelBtn->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(diredtDataPath, 1, 0);
    layout->addWidget(btnBrowseDataLoc, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(btnBrowseDataLoc, &QPushButton::clicked, this, &TfrmDataMissing::btnBrowseDataLocClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDataMissing::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmDataMissing::FormShow()
{
    raise();
    activateWindow();
    diredtDataPath->setText(m_folder);
}

void TfrmDataMissing::btnBrowseDataLocClick()
{
    if (const auto chosen = Dialogs::instance().folder(windowTitle(), diredtDataPath->text()))
        diredtDataPath->setText(*chosen);
}

QString TfrmDataMissing::folderText() const
{
    return diredtDataPath->text();
}

bool AskDataFolder(QString &folder)
{
    TfrmDataMissing dialog(folder);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    folder = NormalizeFolder(dialog.folderText());
    return true;
}
