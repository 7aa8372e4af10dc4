#pragma once

#include <QString>

// The questions the selling, till and stock screens ask of the store
// database, and the small text tests that go with them.

// True for 12 or 13 characters that together read as a number.
bool IsUPCCode(const QString &text);

// The text with every "%DATE%", in any letter case, replaced by today's
// date as ISO date text.
QString ExpandDateMacro(const QString &text);
