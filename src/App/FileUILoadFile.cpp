#include "App/FileUILoadFile.h"

#include <QCoreApplication>

namespace ovgApp {
namespace {

struct FormatFilter {
    const char* label;
    const char* pattern;
};

// The graph document first, then the logger formats in the order the dialog lists them.
constexpr FormatFilter kFormats[] = {
    {QT_TRANSLATE_NOOP("FileUILoadFile", "グラフファイル"), "*.kmb"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KMQ ファイル"), "*.kmq"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KMV ファイル"), "*.kmv"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KAC ファイル"), "*.kac"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KE8 ファイル"), "*.ke8"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KEJ ファイル"), "*.kej"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KAD ファイル"), "*.kad"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KAQ ファイル"), "*.kaq"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KS2 ファイル"), "*.ks2"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KS3 ファイル"), "*.ks3"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KN1 ファイル"), "*.kn1"},
    {QT_TRANSLATE_NOOP("FileUILoadFile", "KN2 ファイル"), "*.kn2"},
};

}  // namespace

std::vector<FileUILoadFile::Filter> FileUILoadFile::Filters()
{
    std::vector<Filter> filters;
    filters.push_back({QCoreApplication::translate("FileUILoadFile", "データファイル全般"), {}});
    for (const FormatFilter& format : kFormats) {
        const QString pattern = QString::fromUtf8(format.pattern);
        filters.front().patterns.append(pattern);
        filters.push_back({QCoreApplication::translate("FileUILoadFile", format.label), {pattern}});
    }
    filters.push_back(
        {QCoreApplication::translate("FileUILoadFile", "すべてのファイル"), {QStringLiteral("*.*")}});
    return filters;
}

QStringList FileUILoadFile::NameFilters()
{
    QStringList nameFilters;
    for (const Filter& filter : Filters())
        nameFilters.append(filter.label + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')'));
    return nameFilters;
}

}  // namespace ovgApp
