#include "app/Icons.h"

namespace {
QIcon drawnIcon(const QString &name)
{
    QIcon icon;
    for (const char *size : {"24", "48"})
        icon.addFile(QStringLiteral(":/icons/%1/%2.png").arg(QLatin1String(size), name));
    return icon;
}
}

QIcon ProgramIcon(const QString &name)
{
    return QIcon::fromTheme(QStringLiteral("kvtl-") + name, drawnIcon(name));
}

QIcon ApplicationIcon()
{
    QIcon icon = ProgramIcon(QStringLiteral("kestrelvane"));
    icon.addFile(QStringLiteral(":/icons/256/kestrelvane.png"));
    return icon;
}
