#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct CliRun {
    int status;
    std::string out;
};

// Runs the command-line tool with the arguments (already quoted for the shell), capturing stdout.
CliRun RunCli(const std::string& arguments)
{
    const std::string command = std::string(ORVEL_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string TempFile(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / "orvel-cli-test";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path) << "x";
    return path.string();
}

}  // namespace

TEST(Cli, InfoJsonReportsCodeLocationAndMessagePerFile)
{
    const std::string kqa = TempFile("x.kqa");
    const std::string noext = TempFile("noext");
    const struct {
        std::string file;
        std::string expected;
    } rows[] = {
        {kqa, "{\"files\":[{\"path\":\"" + kqa + "\",\"code\":1,\"location\":0,\"message\":\"失敗しました。(0)\",\"channels\":[]}]}\n"},
        {noext, "{\"files\":[{\"path\":\"" + noext +
                    "\",\"code\":53,\"location\":0,\"message\":\"未対応のファイルです。(0)\",\"channels\":[]}]}\n"},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli("info --json '" + row.file + "'");
        EXPECT_EQ(1, run.status) << row.file;
        EXPECT_EQ(row.expected, run.out);
    }
}

TEST(Cli, UsageErrorsAndHelp)
{
    const struct {
        std::string arguments;
        int status;
    } rows[] = {
        {"--help", 0},      {"info --help", 0},      {"dump --help", 0},          {"", 2},
        {"frobnicate", 2},  {"info", 2},             {"info --bogus x.kmv", 2},   {"dump", 2},
        {"dump --channel", 2}, {"dump --channel -1 x.kmv", 2}, {"dump a.kmv b.kmv", 2},
    };
    for (const auto& row : rows) EXPECT_EQ(row.status, RunCli(row.arguments).status) << row.arguments;
    EXPECT_NE(std::string::npos, RunCli("--help").out.find("info"));
    EXPECT_NE(std::string::npos, RunCli("dump --help").out.find("--channel"));
}

TEST(Cli, DumpOfAFileThatDoesNotLoadFails)
{
    EXPECT_EQ(1, RunCli("dump '" + TempFile("noext") + "'").status);
}
