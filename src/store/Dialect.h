#pragma once

#include <QString>

// The statements and filters of the program, and the SQL users type in the
// data manager, are written in the older engine's dialect. This turns one
// statement (or filter expression) into the local engine's SQL:
//   CAST(x AS DATE)             -> date(x)       (and AS TIME -> time(x))
//   EXTRACT(DAYOFWEEK FROM x)   -> weekday number 1 = Sunday ... 7 = Saturday
//   EXTRACT(YEAR|MONTH|DAY|HOUR|MINUTE|SECOND FROM x)
//   IF (c THEN a ELSE b)        -> CASE WHEN c THEN a ELSE b END (nestable)
//   [Name]                      -> "Name"
//   True / False                -> 1 / 0
// Text literals and quoted names pass through untouched.
QString TranslateDialect(const QString &statement);
