#include "filelib/Result.h"

#include <cstdio>

// Marks the messages for the window's translations (its tools read this file); the library itself
// never links the toolkit and keeps the texts as they are.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace OvGraphFileLib {
namespace {

struct MessageEntry {
    int32_t code;
    const char* format;
};

constexpr MessageEntry kMessages[] = {
    {kSuccess, QT_TRANSLATE_NOOP("Result", "成功")},
    {kOpenFailed, QT_TRANSLATE_NOOP("Result", "ファイルオープンに失敗しました。(%d)")},
    {kWriteFailed, QT_TRANSLATE_NOOP("Result", "書き込みに失敗しました。(%d)")},
    {kReadFailed, QT_TRANSLATE_NOOP("Result", "読み込みに失敗しました。(%d)")},
    {kUnsupportedFile, QT_TRANSLATE_NOOP("Result", "未対応のファイルです。(%d)")},
    {kNewerVersion,
     QT_TRANSLATE_NOOP("Result", "このファイルは新しいOrvel Graphで保存したファイルです。このファイルを読み込むためにOrvel "
     "Graphをバージョンアップして下さい。(%d)")},
    {kBrokenFile, QT_TRANSLATE_NOOP("Result", "ファイルが壊れています。(%d)")},
    {kTooManyAxes, QT_TRANSLATE_NOOP("Result", "Y軸の数を減らして下さい。(%d)")},
};
constexpr const char* kGeneralFailure = QT_TRANSLATE_NOOP("Result", "失敗しました。(%d)");

}  // namespace

const char* ResultMessageFormat(int32_t code)
{
    for (const MessageEntry& entry : kMessages)
        if (entry.code == code) return entry.format;
    return kGeneralFailure;
}

std::string ResultMessage(int32_t code, int32_t location)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, ResultMessageFormat(code), location);
    return buffer;
}

std::string Result::Message() const { return ResultMessage(code, location); }

void ThrowResult(int32_t code, int32_t location, const char* where) { throw Result{code, location, where}; }

}  // namespace OvGraphFileLib
