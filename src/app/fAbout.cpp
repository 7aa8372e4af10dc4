#include "app/fAbout.h"

#include "app/HelpKey.h"
#include "app/Icons.h"
#include "app/Version.h"
#include "app/WebAddresses.h"
#include "config/SystemHelpers.h"
#include "platform/Guarded.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int AboutHelpTopic = 10;
const QColor Navy(0, 0, 128);

QLabel *newLabel(const QString &name, const QString &text, int pointSize, bool bold)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

void makeWebLabel(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Navy);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}
}

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
    , ProgramIcon(new QLabel)
    , ProductName(newLabel(QStringLiteral("ProductName"), QStringLiteral("Kestrelvane\u00AE"), 12, true))
    , Label1(newLabel(QStringLiteral("Label1"), QStringLiteral("Point Of Sale"), 22, true))
    , Version(newLabel(QStringLiteral("Version"), QString(), 10, true))
    , lblBuild(newLabel(QStringLiteral("lblBuild"), QString(), 9, false))
    , Label2(newLabel(QStringLiteral("Label2"), MakerPageAddress(), 9, false))
    , OKButton(new QPushButton(QStringLiteral("OK")))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Kestrelvane Point Of Sale"));
    setFont(QFont(QStringLiteral("Arial")));

    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(193, 185);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(ApplicationIcon().pixmap(256));
    makeWebLabel(Label2);
    Label2->installEventFilter(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(ProductName);
    text->addWidget(Label1);
    text->addSpacing(12);
    text->addWidget(Version);
    text->addWidget(lblBuild);
    text->addSpacing(18);
    text->addWidget(Label2);
    text->addStretch();

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 24, 12);
    layout->setHorizontalSpacing(20);
    layout->addWidget(ProgramIcon, 0, 0);
    layout->addLayout(text, 0, 1);
    layout->addWidget(OKButton, 1, 1, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetHelpTopic(this, AboutHelpTopic);
    FormCreate();
}

void TAboutBox::FormCreate()
{
    Version->setText(VersionText());
    lblBuild->setText(BuildText());
}

void TAboutBox::Label2Click()
{
    guarded([] { OpenInBrowser(MakerPageAddress(), false); });
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label2Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
}

// Escape closes the box like its OK button does.
void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        accept();
    else
        QDialog::keyPressEvent(event);
}
