#include "App/AppThemes.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "filelib/XmlElement.h"
#include "graph/state/Theme.h"

namespace ovgApp {
namespace {

std::shared_ptr<OvGraphFileLib::XmlElement> ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray bytes = file.readAll();
    try {
        return OvGraphFileLib::ReadXmlDocument(std::string_view(bytes.constData(), size_t(bytes.size())));
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace

QString AppThemes::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/themes");
}

QString AppThemes::SettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/settings.xml");
}

ThemeList AppThemes::Load(const QString& folder)
{
    ThemeList themes(ovgGraph::BuiltInThemes().begin(), ovgGraph::BuiltInThemes().end());
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const auto root = ReadFile(folder + QLatin1Char('/') + name);
        if (!root) continue;
        try {
            auto theme = ovgGraph::ReadTheme(*root);
            if (!theme || theme->GetName().isEmpty()) continue;
            const bool taken = std::any_of(themes.begin(), themes.end(), [&](const auto& t) { return t->GetName() == theme->GetName(); });
            if (!taken) themes.push_back(std::move(theme));
        } catch (const std::exception&) {
            // A theme naming objects this version does not know is left out.
        }
    }
    return themes;
}

std::shared_ptr<const ovgGraph::ThemeMemento> AppThemes::Find(const ThemeList& themes, const QString& name)
{
    for (const auto& theme : themes)
        if (theme->GetName() == name) return theme;
    return themes.empty() ? nullptr : themes.front();
}

QString AppThemes::CurrentName(const QString& settingsPath)
{
    const auto root = ReadFile(settingsPath);
    const OvGraphFileLib::XmlElement* theme = root ? root->Find("theme") : nullptr;
    return theme ? QString::fromStdString(theme->Text()) : QString();
}

bool AppThemes::SetCurrentName(const QString& name, const QString& settingsPath)
{
    auto root = ReadFile(settingsPath);
    if (!root) root = std::make_shared<OvGraphFileLib::XmlElement>("settings");
    // Rebuild the element list with the new theme in place of the old one.
    auto updated = std::make_shared<OvGraphFileLib::XmlElement>(root->Name(), root->Text());
    bool placed = false;
    for (const auto& child : root->Children()) {
        if (child->Name() == "theme") {
            if (!placed) updated->Append("theme", name.toStdString());
            placed = true;
            continue;
        }
        updated->Append(child);
    }
    if (!placed) updated->Append("theme", name.toStdString());
    QDir().mkpath(QFileInfo(settingsPath).absolutePath());
    QSaveFile file(settingsPath);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string text = OvGraphFileLib::WriteXmlDocument(*updated);
    file.write(text.data(), qint64(text.size()));
    return file.commit();
}

}  // namespace ovgApp
