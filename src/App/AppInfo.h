#pragma once

#include <QString>

namespace ovgApp {

// Who the program says it is: in the About box, the update query and the macros' application
// information. The version text is the version number and the edition code in parentheses.
struct AppInfo {
    static QString Name() { return QStringLiteral("Orvel Graph"); }
    static QString VersionText() { return VersionNumber() + QStringLiteral(" (") + EditionCode() + QLatin1Char(')'); }
    static QString VersionNumber() { return QStringLiteral(ORVEL_VERSION); }
    // The edition: the language of the program's texts.
    static QString EditionCode() { return QStringLiteral("JPN"); }
};

}  // namespace ovgApp
