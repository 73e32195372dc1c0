#pragma once

#include <QString>

#include "filelib/Result.h"

namespace ovgApp {

// A result's message in the window's language: the file library's text for its code, translated
// when a translation is installed, with the location filled in ("読み込みに失敗しました。(2110)").
QString ResultText(const OvGraphFileLib::Result& result);

}  // namespace ovgApp
