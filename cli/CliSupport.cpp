#include "CliSupport.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "App/FileKmb.h"
#include "filelib/ChConstants.h"
#include "filelib/TextCodec.h"

namespace orvel::cli {

OvGraphFileLib::LoadedChannels LoadFile(const std::string& path, bool webStorage)
{
    if (webStorage) return OvGraphFileLib::LoadWebStorageChannels(path);
    // The graph document's reader belongs to the application layer, which the file library's
    // dispatch cannot reach: its stored channels are listed like any file's.
    if (OvGraphFileLib::GetFileKind(path) == OvGraphFileLib::kFileKmb) {
        ovgApp::FileKmb document;
        const OvGraphFileLib::Result result = document.Load(std::filesystem::path(path));
        return {result, result.Ok() ? document.GetChList() : OvGraphFileLib::ChList{}};
    }
    return OvGraphFileLib::LoadChannels(path);
}

std::string DescribeFailure(const OvGraphFileLib::Result& result)
{
    std::string text = result.Message();
    if (result.code == OvGraphFileLib::kFailure && !result.where.empty()) text += " " + result.where;
    return text;
}

std::string FormatTime(int64_t ms)
{
    if (ms == OvGraphFileLib::NO_TIME) return "-";
    const std::time_t seconds = std::time_t(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm parts{};
    if (!gmtime_r(&seconds, &parts)) return std::to_string(ms);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &parts);
    return buffer;
}

std::string Utf8(const std::u16string& text) { return OvGraphFileLib::TextCodec::ToUtf8(text); }

}  // namespace orvel::cli
