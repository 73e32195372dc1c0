#include <cstdio>
#include <cstdlib>

#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/FileCsv.h"
#include "CliSupport.h"
#include "DocumentLoading.h"

namespace orvel::cli {

int RunExportCsv(const Args& args)
{
    int32_t separator = ovgApp::FileCsv::kComma;
    bool fahrenheit = false, msec = false, daylight = false;
    int32_t dateFormat = 0;
    std::string output;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--tab") {
            separator = ovgApp::FileCsv::kTab;
        } else if (arg == "--fahrenheit") {
            fahrenheit = true;
        } else if (arg == "--msec") {
            msec = true;
        } else if (arg == "--daylight") {
            daylight = true;
        } else if (arg == "--date-format" && hasValue) {
            char* end = nullptr;
            dateFormat = int32_t(std::strtol(args[++i].c_str(), &end, 10));
            if (*end != '\0') {
                std::fprintf(stderr, "orvelgraph-cli export-csv: --date-format needs a number\n");
                return 2;
            }
        } else if (arg == "-o" && hasValue) {
            output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli export-csv: unknown or incomplete option %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (output.empty() || paths.empty()) {
        std::fprintf(stderr, "orvelgraph-cli export-csv: give -o OUT and at least one file (see --help)\n");
        return 2;
    }

    ovgApp::AppDocument document;
    document.SetTemperatureDisplayType(fahrenheit ? 14 : 13);
    const bool allLoaded = LoadIntoDocument(paths, false, document);
    if (fahrenheit) document.SetTemperatureDisplayType(14);
    ovgApp::AppDateInfo dateInfo;
    if (!dateInfo.SetDateTimeFormat(dateFormat)) {
        std::fprintf(stderr, "orvelgraph-cli export-csv: no date format %d\n", dateFormat);
        return 2;
    }
    dateInfo.SetEnableMsec(msec);
    dateInfo.SetDaylight(daylight);
    ovgApp::FileCsv csv(document.GetChannels(), dateInfo, separator);
    const OvGraphFileLib::Result saved = csv.Save(std::filesystem::path(output));
    if (!saved.Ok()) {
        std::fprintf(stderr, "%s\n%s\n", DescribeFailure(saved).c_str(), output.c_str());
        return 1;
    }
    return allLoaded ? 0 : 1;
}

}  // namespace orvel::cli
