#pragma once

#include "platform/AppError.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The text, number and date forms every screen shares. They keep no state.
// Numbers are read and written with the decimal separator of QLocale() (the
// program's default locale); the ISO forms ignore the locale.

// Raised by the number readers; the text is the conversion error shown to the user.
class EConvertError : public AppError
{
public:
    using AppError::AppError;
};

// Lenient reading: the first number in what the user typed ("10%" is 10), 0 when there is none.
double LenientNumber(const QString &text);
int LenientInteger(const QString &text);
// Whether the whole text reads as a number by the language-neutral rule ("." as separator).
bool IsNumberText(const QString &text);

// Conversions with the locale's separator, raising the conversion errors.
double StrToFloat(const QString &text);
int StrToInt(const QString &text);

// General number notation: shortest form, at most 15 significant digits,
// exponent form below 0.00001 or from 10^15 up.
QString GeneralNumberText(double value);
// Fixed two-decimal notation, halves rounded away from zero.
QString FixedTwoDecimals(double value);

QString AndJoin(const QString &soFar, const QString &part);
QString BoolText(bool value);
QString LineBreaksToBlanks(const QString &text);
QString ReplaceFirstText(const QString &text, const QString &oldText, const QString &newText, int start);
int PosFrom(const QString &part, const QString &text, int start);
QString LeftText(const QString &text, int count);
QString RightText(const QString &text, int count);
// SQL text literal: single quotes with inner quotes doubled.
QString QuotedText(const QString &text);

QString IsoDateText(const QDate &date);
QString QuotedIsoDateText(const QDate &date);
QString IsoDateTimeText(const QDateTime &dateTime);
QString HourMinuteText(const QDateTime &dateTime);
QString ShortDayName(int dayNumber);
