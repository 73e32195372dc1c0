#include "App/FileUILoadFile.h"

namespace ovgApp {
namespace {

struct FormatFilter {
    const char* label;
    const char* pattern;
};

// The graph document first, then the logger formats in the order the dialog lists them.
constexpr FormatFilter kFormats[] = {
    {"グラフファイル", "*.kmb"}, {"KMQ ファイル", "*.kmq"}, {"KMV ファイル", "*.kmv"},
    {"KAC ファイル", "*.kac"},   {"KE8 ファイル", "*.ke8"}, {"KEJ ファイル", "*.kej"},
    {"KAD ファイル", "*.kad"},   {"KAQ ファイル", "*.kaq"}, {"KS2 ファイル", "*.ks2"},
    {"KS3 ファイル", "*.ks3"},   {"KN1 ファイル", "*.kn1"}, {"KN2 ファイル", "*.kn2"},
};

}  // namespace

std::vector<FileUILoadFile::Filter> FileUILoadFile::Filters()
{
    std::vector<Filter> filters;
    filters.push_back({QStringLiteral("データファイル全般"), {}});
    for (const FormatFilter& format : kFormats) {
        const QString pattern = QString::fromUtf8(format.pattern);
        filters.front().patterns.append(pattern);
        filters.push_back({QString::fromUtf8(format.label), {pattern}});
    }
    filters.push_back({QStringLiteral("すべてのファイル"), {QStringLiteral("*.*")}});
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
