#include "CliSupport.h"

#include "Common/Library/CivilDate.h"
#include "Common/Library/FloorDiv.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>

#include <unistd.h>

#include "App/FileKmb.h"
#include "filelib/ChConstants.h"
#include "filelib/GCh.h"
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
    // Our own UTC calendar: the same for every process time zone and C library.
    const int64_t seconds = orvel::FloorDiv(ms, 1000);
    const orvel::CivilDate date = orvel::CivilFromDays(orvel::FloorDiv(seconds, 86400));
    const int64_t inDay = orvel::FloorMod(seconds, 86400);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d %02lld:%02lld:%02lld", static_cast<long long>(date.year), int(date.month),
                  int(date.day), static_cast<long long>(inDay / 3600), static_cast<long long>(inDay / 60 % 60),
                  static_cast<long long>(inDay % 60));
    return buffer;
}

std::string Utf8(const std::u16string& text) { return OvGraphFileLib::TextCodec::ToUtf8(text); }

void PrintSamples(std::FILE* out, const OvGraphFileLib::ICh& source)
{
    // An editable channel is walked in place; others are copied once.
    const auto* editable = dynamic_cast<const OvGraphFileLib::GCh*>(&source);
    const std::optional<OvGraphFileLib::GCh> copy = editable ? std::nullopt : std::optional<OvGraphFileLib::GCh>(source);
    const OvGraphFileLib::GCh& channel = editable ? *editable : *copy;
    for (const OvGraphFileLib::ChSample sample : channel) {
        if (sample.value == OvGraphFileLib::INVALID_VALUE)
            std::fprintf(out, "%lld\tINVALID\n", static_cast<long long>(sample.time));
        else if (sample.value == OvGraphFileLib::BREAK_VALUE)
            std::fprintf(out, "%lld\tBREAK\n", static_cast<long long>(sample.time));
        else
            std::fprintf(out, "%lld\t%.17g\n", static_cast<long long>(sample.time), sample.value);
    }
}

Output::Output(const std::string& path) : m_path(path)
{
    if (path == "-") {
        m_file = stdout;
        return;
    }
    m_temporary = path + ".part-" + std::to_string(getpid());
    m_file = std::fopen(m_temporary.c_str(), "wb");
}

Output::~Output()
{
    if (m_file && m_file != stdout) {
        std::fclose(m_file);
        std::remove(m_temporary.c_str());
    }
}

bool Output::Commit()
{
    if (!m_file) return false;
    if (m_file == stdout) return std::fflush(stdout) == 0 && !std::ferror(stdout);
    const bool written = std::fflush(m_file) == 0 && !std::ferror(m_file) && fsync(fileno(m_file)) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (written && closed && std::rename(m_temporary.c_str(), m_path.c_str()) == 0) return true;
    const int error = errno;
    std::remove(m_temporary.c_str());
    errno = error;
    return false;
}

bool IsLongLoad(const std::vector<std::string>& paths)
{
    uintmax_t bytes = 0;
    for (const std::string& path : paths) {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(path, error);
        if (!error) bytes += size;
    }
    return bytes > uintmax_t(2 * kLongWorkSamples);
}

ProgressLine::ProgressLine(const char* command, bool longWork) : m_command(command), m_shown(longWork && isatty(STDERR_FILENO)) {}

ProgressLine::~ProgressLine()
{
    if (m_shown && m_lastStep) std::fputs("\r\033[K", stderr);
}

void ProgressLine::Show(const char* step, int64_t done, int64_t total)
{
    if (!m_shown || total <= 0) return;
    const int percent = int(std::clamp<int64_t>(done * 100 / total, 0, 100));
    if (percent == m_lastPercent && step == m_lastStep) return;
    m_lastPercent = percent;
    m_lastStep = step;
    std::fprintf(stderr, "\r\033[K%s: %s %d %%", m_command, step, percent);
    std::fflush(stderr);
}

bool ParseInteger(const std::string& text, int64_t& value)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE) return false;
    value = parsed;
    return true;
}

bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace orvel::cli
