#pragma once

#include <cstdio>

namespace orvel {

// The one debug logger of the program. Off unless the environment variable ORVEL_DEBUG is set
// (to "1" for stderr, or to a file path). Safe to call from any thread.
class DebugLogger {
public:
    static DebugLogger& Instance();

    bool Enabled() const { return m_out != nullptr; }
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    DebugLogger(const DebugLogger&) = delete;
    DebugLogger& operator=(const DebugLogger&) = delete;

private:
    DebugLogger();
    std::FILE* m_out = nullptr;
};

}  // namespace orvel

#define ORVEL_DEBUG_LOG(...)                                                     \
    do {                                                                         \
        if (::orvel::DebugLogger::Instance().Enabled())                          \
            ::orvel::DebugLogger::Instance().Log(__VA_ARGS__);                   \
    } while (0)
