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

// Loads a file by its extension (a graph document gives its stored channels), or as a
// web-storage answer.
OvGraphFileLib::LoadedChannels LoadFile(const std::string& path, bool webStorage);

// "<message>" of a result, with the failing operation's detail for general failures.
std::string DescribeFailure(const OvGraphFileLib::Result& result);

// Milliseconds since 1970 as "YYYY-MM-DD hh:mm:ss" (UTC), or "-" for no time.
std::string FormatTime(int64_t ms);

std::string Utf8(const std::u16string& text);

}  // namespace orvel::cli
