#include "ui/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "App/AppTimeFormatter.h"
#include "graph/LabelFormatDateTime.h"

namespace ovgUi {
namespace {

const QString kKey = QStringLiteral("Settings/Language");
const QString kJapanese = QStringLiteral("ja");

// A translator owned by the application, or nothing when the file is not there.
bool Install(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace

bool IsKnownLanguage(const QString& language) { return language == kJapanese || language == QLatin1String("en"); }

QString LoadLanguage()
{
    const QString stored = QSettings().value(kKey, kJapanese).toString();
    return IsKnownLanguage(stored) ? stored : kJapanese;
}

void SaveLanguage(const QString& language) { QSettings().setValue(kKey, language); }

bool InstallTranslations(const QString& language)
{
    // Month and day names on new time axes and in the date texts follow the language.
    ovgGraph::LabelFormatDateTime::SetEnglishForNewAxes(language != kJapanese);
    ovgApp::AppTimeFormatter::SetEnglishMonthsByDefault(language != kJapanese);
    const QString toolkit = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // The toolkit's texts are English as written: only Japanese needs its translation.
    if (language == kJapanese) return Install(QStringLiteral("qtbase_ja"), toolkit);
    return Install(QStringLiteral("orvelgraph_") + language, QStringLiteral(":/i18n"));
}

}  // namespace ovgUi
