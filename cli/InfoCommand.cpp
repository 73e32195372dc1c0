#include <cstdio>

#include "CliSupport.h"
#include "Options.h"
#include "JsonWriter.h"
#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/GChRawData.h"

namespace orvel::cli {
namespace {

using OvGraphFileLib::ICh;

void WriteChannelJson(JsonWriter& json, const ICh& ch)
{
    json.BeginObject();
    json.Key("class"), json.String(ch.GetClassName());
    json.Key("serialNo"), json.Int(ch.GetSerialNo());
    json.Key("model"), json.String(Utf8(ch.GetModel()));
    json.Key("baseName"), json.String(Utf8(ch.GetBaseName()));
    json.Key("loggerName"), json.String(Utf8(ch.GetLoggerName()));
    json.Key("chName"), json.String(Utf8(ch.GetChName()));
    json.Key("interval"), json.Int(ch.GetInterval());
    json.Key("dataCount"), json.Int(ch.GetDataCount());
    json.Key("chType"), json.Int(ch.GetChType());
    json.Key("decimalPlaces"), json.Int(ch.GetDecimalPlaces());
    json.Key("upperLimit"), json.Double(ch.GetUpperLimit());
    json.Key("lowerLimit"), json.Double(ch.GetLowerLimit());
    json.Key("firstTime"), json.Int(ch.GetFirstTime());
    json.Key("lastTime"), json.Int(ch.GetLastTime());
    json.Key("timeDiff"), json.Int(ch.GetTimeDiff());
    json.Key("stdBias"), json.Int(ch.GetStdBias());
    json.Key("dstBias"), json.Int(ch.GetDstBias());
    json.Key("auxText"), json.String(Utf8(ch.GetAuxText()));
    json.Key("scaleExpr"), json.String(Utf8(ch.GetScaleExpr()));
    json.Key("recordProp"), json.Int(ch.GetRecordProp());
    json.Key("blocks");
    json.BeginArray();
    for (const auto& block : ch.GetRawData()) {
        json.BeginObject();
        json.Key("class"), json.String(block->GetClassName());
        json.Key("chType"), json.Int(block->GetChType());
        json.Key("firstTime"), json.Int(block->GetFirstTime());
        json.Key("lastTime"), json.Int(block->GetLastTime());
        json.Key("interval"), json.Int(block->GetInterval());
        json.Key("count"), json.Int(block->GetCount());
        json.Key("elementSize"), json.Int(block->GetElementSize());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

std::string LimitText(double limit)
{
    if (limit == OvGraphFileLib::NO_UPPER_LIMIT || limit == OvGraphFileLib::NO_LOWER_LIMIT) return "-";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%g", limit);
    return buffer;
}

std::string IntervalText(int64_t ms)
{
    if (ms < 0) return "-";
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

void PrintChannelTable(const OvGraphFileLib::ChList& channels)
{
    std::printf("  %-3s %-20s %-24s %5s %-8s %9s %10s  %-19s  %-19s  %s\n", "#", "class", "name", "type", "unit",
                "count", "interval", "first", "last", "limits");
    for (size_t i = 0; i < channels.size(); ++i) {
        const ICh& ch = *channels[i];
        const std::string unit = Utf8(orvel::detail::OvChTypeOf(ch.GetChType()).GetUnit());
        const std::string interval = IntervalText(ch.GetInterval());
        std::printf("  %-3zu %-20s %-24s %5u %-8s %9d %10s  %-19s  %-19s  %s..%s\n", i, ch.GetClassName().c_str(),
                    Utf8(ch.GetChName()).c_str(), unsigned(ch.GetChType()), unit.c_str(), ch.GetDataCount(),
                    interval.c_str(), FormatTime(ch.GetFirstTime()).c_str(), FormatTime(ch.GetLastTime()).c_str(),
                    LimitText(ch.GetLowerLimit()).c_str(), LimitText(ch.GetUpperLimit()).c_str());
    }
}

}  // namespace

int RunInfo(const Args& args)
{
    bool asJson = false;
    bool webStorage = false;
    const auto parsed = ParseOptions("info", args, {Flag("--json", asJson), Flag("--web-storage", webStorage)});
    if (!parsed) return 2;
    const std::vector<std::string>& paths = *parsed;
    if (paths.empty()) return UsageError("info", "no file given");

    bool allLoaded = true;
    JsonWriter json;
    json.BeginObject();
    json.Key("files");
    json.BeginArray();
    for (const std::string& path : paths) {
        const OvGraphFileLib::LoadedChannels loaded = LoadFile(path, webStorage);
        allLoaded = allLoaded && loaded.result.Ok();
        if (asJson) {
            json.BeginObject();
            json.Key("path"), json.String(path);
            json.Key("code"), json.Int(loaded.result.code);
            json.Key("location"), json.Int(loaded.result.location);
            json.Key("message"), json.String(loaded.result.Message());
            json.Key("channels");
            json.BeginArray();
            for (const auto& ch : loaded.channels) WriteChannelJson(json, *ch);
            json.EndArray();
            json.EndObject();
            if (!loaded.result.Ok() && !loaded.result.where.empty())
                std::fprintf(stderr, "%s: %s\n", path.c_str(), DescribeFailure(loaded.result).c_str());
        } else {
            std::printf("%s: %s\n", path.c_str(), DescribeFailure(loaded.result).c_str());
            if (!loaded.channels.empty()) PrintChannelTable(loaded.channels);
        }
    }
    json.EndArray();
    json.EndObject();
    if (asJson) std::printf("%s\n", json.Text().c_str());
    return allLoaded ? 0 : 1;
}

}  // namespace orvel::cli
