#include <cstdio>
#include <iostream>

#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/FileCsv.h"
#include "App/AppCh.h"
#include "CliSupport.h"
#include "Options.h"
#include "DocumentLoading.h"

namespace orvel::cli {

int RunExportCsv(const Args& args)
{
    bool tab = false, fahrenheit = false, msec = false, daylight = false;
    int64_t dateFormat = 0;
    std::string output;
    const auto paths = ParseOptions("export-csv", args,
                                    {Flag("--tab", tab), Flag("--fahrenheit", fahrenheit), Flag("--msec", msec),
                                     Flag("--daylight", daylight),
                                     Integer("--date-format", "K", dateFormat, INT32_MIN, INT32_MAX, "a date-time kind number"),
                                     Text("-o", "OUT", output)});
    if (!paths) return 2;
    if (output.empty() || paths->empty()) return UsageError("export-csv", "give -o OUT (- for standard output) and at least one file");
    ovgApp::AppDateInfo dateInfo;
    if (!dateInfo.SetDateTimeFormat(int32_t(dateFormat)))
        return UsageError("export-csv", "no date format " + std::to_string(dateFormat));
    dateInfo.SetEnableMsec(msec);
    dateInfo.SetDaylight(daylight);

    ovgApp::AppDocument document;
    document.SetTemperatureDisplayType(fahrenheit ? 14 : 13);
    bool allLoaded = false;
    {
        ProgressLine loading("export-csv", IsLongLoad(*paths));
        allLoaded = LoadIntoDocument(*paths, false, document, &loading);
    }
    if (fahrenheit) document.SetTemperatureDisplayType(14);

    ovgApp::FileCsv csv(document.GetChannels(), dateInfo, tab ? ovgApp::FileCsv::kTab : ovgApp::FileCsv::kComma);
    int64_t samples = 0;
    for (const auto& channel : document.GetChannels()) samples += int64_t(channel->GetPoints().Size());
    ProgressLine writing("export-csv", samples > kLongWorkSamples);
    csv.SetProgress([&writing](int64_t done, int64_t total) { writing.Show("writing", done, total); });
    const OvGraphFileLib::Result saved = IsStandardOutput(output) ? csv.Save(std::cout) : csv.Save(std::filesystem::path(output));
    if (!saved.Ok()) {
        std::fprintf(stderr, "%s\n%s\n", DescribeFailure(saved).c_str(), output.c_str());
        return 1;
    }
    return allLoaded ? 0 : 1;
}

}  // namespace orvel::cli
