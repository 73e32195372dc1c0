#pragma once

#include <cstdint>
#include <cstdio>
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
void PrintSamples(std::FILE* out, const OvGraphFileLib::ICh& channel);

// Where a command writes text: standard output for "-"; otherwise a temporary file beside the
// target, renamed over it by Commit, so that a failure leaves an existing file as it was.
class Output {
public:
    explicit Output(const std::string& path);
    ~Output();  // removes a temporary that was not committed
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Null when the file could not be created.
    std::FILE* File() const { return m_file; }
    // Flushes, and puts a file in place; false (with errno) when anything failed.
    bool Commit();

private:
    std::string m_path, m_temporary;
    std::FILE* m_file = nullptr;
};

// Work past this many samples shows a progress line.
constexpr int64_t kLongWorkSamples = 10'000'000;
// Whether loading the files is long work before their samples are known: more bytes than the
// smallest recording of that many samples (two bytes a sample).
bool IsLongLoad(const std::vector<std::string>& paths);

// A progress line on standard error ("export-csv: writing 45 %"), redrawn in place, shown only
// when standard error is a terminal and the caller says the work is long.
class ProgressLine {
public:
    ProgressLine(const char* command, bool longWork);
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(const char* step, int64_t done, int64_t total);

private:
    const char* m_command;
    bool m_shown;
    int m_lastPercent = -1;
    const char* m_lastStep = nullptr;
};

// A whole argument as a number; false for anything else (empty, trailing text, out of range).
bool ParseInteger(const std::string& text, int64_t& value);
bool ParseNumber(const std::string& text, double& value);

}  // namespace orvel::cli
