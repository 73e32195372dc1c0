#pragma once

#include <string>
#include <vector>

#include "filelib/FileKind.h"

namespace orvel::cli {

// The arguments of one command, after the command name.
using Args = std::vector<std::string>;

// One command of the tool: its name, a one-line summary, its help text and its entry point,
// which returns the exit status.
struct Command {
    const char* name;
    const char* summary;
    const char* help;
    int (*run)(const Args& args);
};

int RunInfo(const Args& args);
int RunDump(const Args& args);
int RunExportCsv(const Args& args);
int RunRender(const Args& args);
int RunSaveKmb(const Args& args);
int RunThin(const Args& args);
int RunMkt(const Args& args);
int RunDewPoint(const Args& args);
// Runs a macro script on a document of the files, as the window would, and writes the results.
int RunMacro(const Args& args);
// One update check, its outcome as one JSON line; needs no display.
int RunUpdateCheck(const Args& args);

// Loads a file by its extension (a graph document gives its stored channels), or as a
// web-storage answer.
OvGraphFileLib::LoadedChannels LoadFile(const std::string& path, bool webStorage);

// "<message>" of a result, with the failing operation's detail for general failures.
std::string DescribeFailure(const OvGraphFileLib::Result& result);

// Milliseconds since 1970 as "YYYY-MM-DD hh:mm:ss" (UTC), or "-" for no time.
std::string FormatTime(int64_t ms);

std::string Utf8(const std::u16string& text);

// One line per sample: <time in ms since 1970 UTC><TAB><value "%.17g", INVALID or BREAK>, the
// break items between blocks included.
void PrintSamples(const OvGraphFileLib::ICh& channel);

// A whole argument as a number; false for anything else (empty, trailing text, out of range).
bool ParseInteger(const std::string& text, int64_t& value);
bool ParseNumber(const std::string& text, double& value);

}  // namespace orvel::cli
