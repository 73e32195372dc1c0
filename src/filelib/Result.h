#pragma once

#include <cstdint>
#include <string>

namespace OvGraphFileLib {

// The outcome of a file operation: a code (0 = success), the location number of the step that
// failed (0 when none) and the name of the failing operation. Readers throw it internally;
// the public Load/Save calls return it.
struct Result {
    int32_t code = 0;
    int32_t location = 0;
    std::string where;

    bool Ok() const { return code == 0; }
    // The text shown to the user, with the location in place of %d (UTF-8).
    std::string Message() const;
};

// Result codes.
enum ResultCode : int32_t {
    kSuccess = 0,
    kFailure = 1,
    kOpenFailed = 50,
    kWriteFailed = 51,
    kReadFailed = 52,
    kUnsupportedFile = 53,
    kNewerVersion = 54,
    kBrokenFile = 55,
    kBadBlock = 56,  // a block of the wrong size or an unknown class; a document that cannot be built for saving
    kTooManyAxes = 57,
};

// The message of a code with the location number in place of %d (UTF-8).
std::string ResultMessage(int32_t code, int32_t location);
// The message of a code with "%d" where its location goes (a translation keeps the "%d").
const char* ResultMessageFormat(int32_t code);

[[noreturn]] void ThrowResult(int32_t code, int32_t location, const char* where);

}  // namespace OvGraphFileLib
