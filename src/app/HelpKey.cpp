#include "app/HelpKey.h"

#include "app/Help.h"
#include "platform/Guarded.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

void SetHelpTopic(QWidget *window, int topic)
{
    auto *helpKey = new QShortcut(QKeySequence::HelpContents, window);
    helpKey->setObjectName(QStringLiteral("HelpKey"));
    helpKey->setContext(Qt::WindowShortcut);
    QObject::connect(helpKey, &QShortcut::activated, window, [topic] {
        guarded([topic] { ShowHelpTopic(topic); });
    });
}
