#pragma once

#include <QString>

// The program's version and build, as the About box shows them.
constexpr double ProgramVersion = 1.0;
inline QString ProgramBuild() { return QStringLiteral("1.000"); }

// "Version 1.00", two decimals with the locale's decimal separator.
QString VersionText();
// "Build 1.000".
QString BuildText();
