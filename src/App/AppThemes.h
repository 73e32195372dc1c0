#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace ovgGraph {
class ThemeMemento;
}

namespace ovgApp {

using ThemeList = std::vector<std::shared_ptr<const ovgGraph::ThemeMemento>>;

// The graph themes the user can choose and the one chosen.
// Theme files are "<name>.xml" documents whose element is "theme", in the folder "themes" of the
// user's data folder; the choice is kept in the application's XML settings file
// ("settings.xml" in the user's data folder) as the text of its element "theme".
class AppThemes {
public:
    static QString Folder();
    static QString SettingsPath();

    // The built-in themes, then each readable theme file of the folder in name order (a file
    // that is not a theme document is left out; one named like an earlier theme too).
    static ThemeList Load(const QString& folder = Folder());
    // The theme of that name, or the first one.
    static std::shared_ptr<const ovgGraph::ThemeMemento> Find(const ThemeList& themes, const QString& name);

    // The chosen theme's name; empty when none was chosen yet.
    static QString CurrentName(const QString& settingsPath = SettingsPath());
    // Keeps the choice; other elements of the settings file are kept as they were. Returns false
    // when the file could not be written (the previous one is then left as it was).
    static bool SetCurrentName(const QString& name, const QString& settingsPath = SettingsPath());
};

}  // namespace ovgApp
