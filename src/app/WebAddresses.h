#pragma once

#include <QString>

// Where the Help menu and the About box send the user.
inline QString ProductPageAddress() { return QStringLiteral("https://www.kestrelvane.example/pos"); }
inline QString MakerPageAddress() { return QStringLiteral("https://www.kestrelvane.example"); }
inline QString SupportMailAddress() { return QStringLiteral("mailto:support@kestrelvane.example"); }
