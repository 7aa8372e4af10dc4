#pragma once

#include <QIcon>
#include <QString>

// A picture of the program by name ("quick-sale", "reports", ...): the
// desktop theme's "kvtl-<name>" when it has one, else our own drawing.
QIcon ProgramIcon(const QString &name);

// The program's own picture, for windows and the About box.
QIcon ApplicationIcon();
