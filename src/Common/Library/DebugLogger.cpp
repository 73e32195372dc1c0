#include "Common/Library/DebugLogger.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace orvel {
namespace {
std::mutex g_logMutex;
}

DebugLogger& DebugLogger::Instance()
{
    static DebugLogger* logger = new DebugLogger;  // lives for the whole process
    return *logger;
}

DebugLogger::DebugLogger()
{
    const char* target = std::getenv("ORVEL_DEBUG");
    if (target == nullptr || *target == '\0' || std::strcmp(target, "0") == 0) return;
    if (std::strcmp(target, "1") == 0) {
        m_out = stderr;
    } else {
        m_out = std::fopen(target, "a");
    }
}

void DebugLogger::Log(const char* format, ...)
{
    if (m_out == nullptr) return;
    std::lock_guard lock(g_logMutex);
    va_list args;
    va_start(args, format);
    std::vfprintf(m_out, format, args);
    va_end(args);
    std::fputc('\n', m_out);
    std::fflush(m_out);
}

}  // namespace orvel
