#pragma once

#include "platform/Seam.h"

#include <QDate>
#include <QDateTime>

// Today and now. Invoice numbers, day and week closing and backups depend on
// the date, so tests set it.
class Clock : public Seam<Clock>
{
public:
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
