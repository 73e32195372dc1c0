#include "Common/Library/SeriousError.h"

#include <cstdio>

namespace orvel {
namespace {

std::string Compose(const char* sourceFile, int line, const std::string& detail)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "serious error:%s(%d)", sourceFile, line);
    std::string message = buffer;
    if (!detail.empty()) message += " " + detail;
    return message;
}

}  // namespace

SeriousError::SeriousError(const char* sourceFile, int line, const std::string& detail)
    : std::runtime_error(Compose(sourceFile, line, detail)), m_sourceFile(sourceFile), m_line(line)
{
}

}  // namespace orvel
