#include "filelib/Result.h"

#include <cstdio>

namespace OvGraphFileLib {
namespace {

struct MessageEntry {
    int32_t code;
    const char* format;
};

constexpr MessageEntry kMessages[] = {
    {kSuccess, "成功"},
    {kOpenFailed, "ファイルオープンに失敗しました。(%d)"},
    {kWriteFailed, "書き込みに失敗しました。(%d)"},
    {kReadFailed, "読み込みに失敗しました。(%d)"},
    {kUnsupportedFile, "未対応のファイルです。(%d)"},
    {kNewerVersion,
     "このファイルは新しいOrvel Graphで保存したファイルです。このファイルを読み込むためにOrvel "
     "Graphをバージョンアップして下さい。(%d)"},
    {kBrokenFile, "ファイルが壊れています。(%d)"},
    {kTooManyAxes, "Y軸の数を減らして下さい。(%d)"},
};
constexpr const char* kGeneralFailure = "失敗しました。(%d)";

}  // namespace

std::string ResultMessage(int32_t code, int32_t location)
{
    const char* format = kGeneralFailure;
    for (const MessageEntry& entry : kMessages)
        if (entry.code == code) format = entry.format;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, location);
    return buffer;
}

std::string Result::Message() const { return ResultMessage(code, location); }

void ThrowResult(int32_t code, int32_t location, const char* where) { throw Result{code, location, where}; }

}  // namespace OvGraphFileLib
