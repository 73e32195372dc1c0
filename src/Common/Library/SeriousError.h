#pragma once

#include <stdexcept>
#include <string>

namespace orvel {

// Raised when an internal invariant is broken (never for bad input, which travels as a Result).
// The message reads "serious error:<source file>(<line>)", optionally followed by a detail text.
class SeriousError : public std::runtime_error {
public:
    SeriousError(const char* sourceFile, int line, const std::string& detail = {});

    const std::string& SourceFile() const { return m_sourceFile; }
    int Line() const { return m_line; }

private:
    std::string m_sourceFile;
    int m_line;
};

}  // namespace orvel

// Throws SeriousError naming this source file and line.
#define ORVEL_SERIOUS_ERROR(...) throw ::orvel::SeriousError(__FILE__, __LINE__ __VA_OPT__(, ) __VA_ARGS__)
