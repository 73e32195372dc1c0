#pragma once

#include <QString>

namespace ovgUi {

// The language of the window: "ja" (Japanese, the texts as written, the default) or "en"
// (English, from the translation built into the program). Chosen in Options or with
// "--language en" and kept under "Settings/Language"; it takes effect at start-up.
QString LoadLanguage();
void SaveLanguage(const QString& language);
bool IsKnownLanguage(const QString& language);

// Installs the program's translation for the language and the toolkit's own (file dialogs,
// message box buttons). Returns false when a translation could not be loaded; the texts then
// stay as written.
bool InstallTranslations(const QString& language);

}  // namespace ovgUi
