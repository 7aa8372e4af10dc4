#include "store/Lookups.h"

#include "config/TextHelpers.h"
#include "platform/Clock.h"

bool IsUPCCode(const QString &text)
{
    return (text.size() == 12 || text.size() == 13) && IsNumberText(text);
}

QString ExpandDateMacro(const QString &text)
{
    QString expanded = text;
    return expanded.replace(QStringLiteral("%DATE%"), IsoDateText(Clock::instance().today()),
                            Qt::CaseInsensitive);
}
