// orvelgraph-cli: the command-line twin of the application. Runs without a display.
#include <cstdio>
#include <cstring>
#include <string>

#include "CliSupport.h"

namespace {

using orvel::cli::Args;
using orvel::cli::Command;

constexpr const char* kToolHelp =
    "Usage: orvelgraph-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Reads data logger recordings without a window.\n"
    "\n"
    "Every command takes --help and --version; options take their value as the next argument or\n"
    "after '=' (--channel=2), and '--' ends the options. A usage error is one line on standard\n"
    "error and exit status 2.\n"
    "\n"
    "Commands:\n";

constexpr Command kCommands[] = {
    {"info", "show the channels of logger files",
     "Usage: orvelgraph-cli info [--json] [--web-storage] FILE...\n"
     "\n"
     "Loads each file and shows its result and channels.\n"
     "\n"
     "  --json         one JSON object {\"files\":[...]} with every attribute and block\n"
     "  --web-storage  read each file as a web-storage JSON answer instead of by extension\n"
     "\n"
     "Exit status 0 when every file loaded, 1 when any failed, 2 for wrong usage.\n",
     orvel::cli::RunInfo},
    {"dump", "print the samples of a channel",
     "Usage: orvelgraph-cli dump [--web-storage] [--channel K] [-o OUT] FILE\n"
     "\n"
     "Prints one line per sample: <time in ms since 1970 UTC><TAB><value>. The value is\n"
     "INVALID for a missing sample and BREAK between two blocks of data.\n"
     "\n"
     "  --channel K    only channel K (0-based); without it every channel, each after a\n"
     "                 line \"# channel K\"\n"
     "  --web-storage  read the file as a web-storage JSON answer\n"
     "  -o OUT         write to OUT instead of standard output (- is standard output); OUT is\n"
     "                 replaced only once it is complete\n",
     orvel::cli::RunDump},
    {"export-csv", "write channels as comma- or tab-separated text",
     "Usage: orvelgraph-cli export-csv [--tab] [--fahrenheit] [--date-format K] [--msec] [--daylight]\n"
     "                                 -o OUT FILE...\n"
     "\n"
     "Loads every file into a new document and writes its channels as the application shows them:\n"
     "three header rows (numbers, names, units), then one row per time with the date-time text,\n"
     "the serial day number and each channel's value. Times are the loggers' local times.\n"
     "\n"
     "  --tab            tab-separated (the file is still .csv)\n"
     "  --fahrenheit     temperatures in Fahrenheit\n"
     "  --date-format K  date-time kind (0 year-month-day, the default)\n"
     "  --msec           always show milliseconds\n"
     "  --daylight       show times in daylight saving time (one hour later)\n"
     "  -o OUT           the file to write, or - for standard output\n"
     "\n"
     "An export of more than 10 million samples shows its progress on standard error when that\n"
     "is a terminal.\n",
     orvel::cli::RunExportCsv},
    {"render", "draw files as a graph into a PNG image, an SVG or a PDF",
     "Usage: orvelgraph-cli render [--size WxH] -o OUT.png|OUT.svg|OUT.pdf FILE...\n"
     "\n"
     "Loads the files, puts one value axis per unit on the graph (left, right, alternating) and\n"
     "draws it without a display; a graph document is drawn with its saved graph. A file that\n"
     "fails is reported and the others still render\n"
     "(exit status 1).\n"
     "\n"
     "  --size WxH   picture size in pixels (default 1280x720); a PDF page is that size at 96 dpi\n"
     "  -o OUT       the picture to write, its format from the extension: .png an image, .svg\n"
     "               and .pdf with lines and texts kept as vectors and text\n"
     "\n"
     "Loading more than 20 MB of files shows its progress on standard error when that is a\n"
     "terminal.\n",
     orvel::cli::RunRender},
    {"save-kmb", "save files as a graph document",
     "Usage: orvelgraph-cli save-kmb [--uncompressed] -o OUT.kmb FILE...\n"
     "\n"
     "Loads the files into a new document with the arrangement a new document shows (one value\n"
     "axis per unit) and saves it, with every channel's data, as a graph document. A graph document\n"
     "among the files adds its channels; the first one also gives its saved graph and memo.\n"
     "A failed save leaves an existing OUT.kmb as it was.\n"
     "\n"
     "  --uncompressed  store the body without gzip (for inspecting the file)\n"
     "  -o OUT.kmb      the file to write\n",
     orvel::cli::RunSaveKmb},
    {"thin", "one value per time window of a channel",
     "Usage: orvelgraph-cli thin [--web-storage] --window MS [--origin MS] --method N [--lenient]\n"
     "                           [--channel K] FILE\n"
     "\n"
     "Thins channel K of the file (its recorded values, no display conversion) to one value per\n"
     "window [origin + k * MS, origin + (k + 1) * MS) and prints it like dump. The first window is\n"
     "the one that holds the first record (the window at the origin when that record lies before\n"
     "it). For methods 1-4 a window holding an invalid sample gives INVALID and one holding a\n"
     "break between blocks ends the output block, unless --lenient skips such values; a window\n"
     "without data gives INVALID. Sampling takes the first value of a window as it is and ends\n"
     "the output block at an empty window.\n"
     "\n"
     "  --window MS    window length in milliseconds (greater than 0)\n"
     "  --origin MS    where windows start, ms since 1970 UTC (default 0)\n"
     "  --method N     0 sample (stamped at the window start), 1 minimum, 2 maximum, 3 sum,\n"
     "                 4 average (stamped at the window end minus the channel's interval)\n"
     "  --lenient      skip invalid samples and block breaks inside a window\n"
     "  --channel K    the channel, 0-based (default 0)\n"
     "  --web-storage  read the file as a web-storage JSON answer\n",
     orvel::cli::RunThin},
    {"mkt", "mean kinetic temperature of every channel",
     "Usage: orvelgraph-cli mkt [--web-storage] [--activation-energy KJ] [--unit C|F|K] [--fahrenheit] FILE...\n"
     "\n"
     "Loads the files into one document and prints one line per channel:\n"
     "No.<n><TAB><name><TAB><MKT \"%.2f\", or ---- without valid values>. Values are taken as the\n"
     "document shows them (scale expressions applied), temperatures in Celsius.\n"
     "\n"
     "  --activation-energy KJ  activation energy in kJ/mol (default 83.14472)\n"
     "  --unit C|F|K            unit of the result (default C, or F with --fahrenheit)\n"
     "  --fahrenheit            the document shows temperatures in Fahrenheit\n"
     "  --web-storage           read each file as a web-storage JSON answer\n",
     orvel::cli::RunMkt},
    {"dewpoint", "make the dew point channel of a temperature and a humidity channel",
     "Usage: orvelgraph-cli dewpoint [--web-storage] --temperature K --humidity K FILE...\n"
     "\n"
     "Loads the files into one document and prints the dew point channel (Celsius) of channels K\n"
     "(0-based positions in the document) like dump, with the files' times. The two channels must\n"
     "have the same number of samples at the same times; a pair with a missing value leaves a gap.\n"
     "\n"
     "  --temperature K  the temperature channel\n"
     "  --humidity K     the relative humidity channel\n"
     "  --web-storage    read each file as a web-storage JSON answer\n",
     orvel::cli::RunDewPoint},
    {"macro", "run a macro script on files and save the result",
     "Usage: orvelgraph-cli macro SCRIPT.js [FILE...] [--save-kmb OUT.kmb] [--export-csv OUT.csv]\n"
     "\n"
     "Loads the files into a new document (one value axis per unit, as a new window shows them),\n"
     "runs the script on it exactly as Tools > Macro does, and writes the document when asked.\n"
     "A failing script is reported like the window's error box (path, file, line) and nothing\n"
     "is written. The script's console.log lines go to standard error. docs/macros.md describes\n"
     "what scripts can do.\n"
     "\n"
     "  --save-kmb OUT.kmb   save the document as a graph document\n"
     "  --export-csv OUT.csv export its channels as comma-separated text\n"
     "\n"
     "Exit status 0 when the files loaded, the script ran and every output was written; 1\n"
     "otherwise; 2 for wrong usage.\n",
     orvel::cli::RunMacro},
    {"update-check", "ask the update server whether a newer version exists",
     "Usage: orvelgraph-cli update-check [--server URL] [--app-id ID]\n"
     "\n"
     "Runs one update check and prints one JSON line {\"code\":N,\"success\":B,\"hasNewerVersion\":B,\n"
     "\"downloadInformationURL\":\"...\"}. Code 0 is success; -1 no server configured, no connection,\n"
     "timeout (10 s) or an answer over 1 MiB; -2 empty answer; -3 not a JSON object; -4 no usable\n"
     "\"status\"; -10 a member of \"result\" missing or of the wrong type; any other number is the\n"
     "server's status.\n"
     "\n"
     "  --server URL  ask http(s)://HOST:PORT/PATH instead of the configured server\n"
     "  --app-id ID   the application identifier to send (default: the configured one)\n"
     "\n"
     "Exit status 0 on success, 1 on failure, 2 for wrong usage.\n",
     orvel::cli::RunUpdateCheck},
};

void PrintToolHelp(std::FILE* out)
{
    std::fputs(kToolHelp, out);
    for (const Command& command : kCommands) std::fprintf(out, "  %-11s %s\n", command.name, command.summary);
    std::fputs("\nRun 'orvelgraph-cli COMMAND --help' for a command's options.\n", out);
}

bool IsHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }
bool IsVersion(const char* arg) { return std::strcmp(arg, "--version") == 0; }

int PrintVersion()
{
    std::printf("orvelgraph-cli %s\n", ORVEL_VERSION);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintToolHelp(stderr);
        return 2;
    }
    if (IsHelp(argv[1])) {
        PrintToolHelp(stdout);
        return 0;
    }
    if (IsVersion(argv[1])) return PrintVersion();
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0) continue;
        Args args;
        bool optionsEnded = false;  // after "--", "--help" is a file's name
        for (int i = 2; i < argc; ++i) {
            optionsEnded = optionsEnded || std::strcmp(argv[i], "--") == 0;
            if (!optionsEnded && IsHelp(argv[i])) {
                std::fputs(command.help, stdout);
                return 0;
            }
            if (!optionsEnded && IsVersion(argv[i])) return PrintVersion();
            args.emplace_back(argv[i]);
        }
        return command.run(args);
    }
    std::fprintf(stderr, "orvelgraph-cli: unknown command '%s'\n\n", argv[1]);
    PrintToolHelp(stderr);
    return 2;
}
