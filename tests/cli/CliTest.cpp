#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "filelib/GCh.h"
#include "filelib/GChRawData.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the command-line tool with the arguments (already quoted for the shell), capturing stdout
// and stderr.
CliRun RunCli(const std::string& arguments)
{
    const auto errPath = std::filesystem::temp_directory_path() / ("orvel-cli-stderr-" + std::to_string(getpid()));
    const std::string command = std::string(ORVEL_CLI_PATH) + " " + arguments + " 2>'" + errPath.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, {}, {}};
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int status = pclose(pipe);
    std::ifstream in(errPath, std::ios::binary);
    std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(errPath);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, err};
}

std::string TempFile(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / "orvel-cli-test";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path) << "x";
    return path.string();
}

std::string Samples(const char* name) { return std::string(ORVEL_SAMPLES_DIR) + "/" + name; }

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

// Every command follows the same conventions: --help and --version, one line and status 2 for a
// usage error, "--name=value", and "--" ending the options.
TEST(Cli, UsageErrorsAndHelp)
{
    const std::string kmq = "'" + Samples("lab-two-days.kmq") + "'";
    const struct {
        std::string arguments;
        int status;
        std::string out;  // a text the standard output holds
    } rows[] = {
        {"--help", 0, "info"},
        {"--version", 0, "orvelgraph-cli 0."},
        {"", 2, ""},
        {"frobnicate", 2, ""},
        {"dump --help", 0, "--channel"},
        {"dump --version", 0, "orvelgraph-cli 0."},
        {"dump --channel 1 --help", 0, "--channel"},
        {"dump -- --help", 1, ""},  // a file named --help
        {"info", 2, ""},
        {"info --bogus x.kmv", 2, ""},
        {"dump", 2, ""},
        {"dump --channel", 2, ""},
        {"dump --channel -1 x.kmv", 2, ""},
        {"dump --channel=x " + kmq, 2, ""},
        {"dump --channel=1 " + kmq, 0, "\t"},
        {"dump --web-storage=1 " + kmq, 2, ""},
        {"dump a.kmv b.kmv", 2, ""},
        {"thin --window 1000 --method 9 " + kmq, 2, ""},
        {"mkt --unit X " + kmq, 2, ""},
        {"render -o out.gif " + kmq, 2, ""},
        {"export-csv --date-format 999 -o - " + kmq, 2, ""},
        {"update-check somewhere", 2, ""},
        {"macro", 2, ""},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli(row.arguments);
        EXPECT_EQ(row.status, run.status) << row.arguments;
        EXPECT_NE(std::string::npos, run.out.find(row.out)) << row.arguments;
        if (row.status == 2 && !row.arguments.empty() && row.arguments != "frobnicate") {
            EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << row.arguments << ": " << run.err;
        }
    }
}

// "-" is standard output, and a file written with -o is the same text.
TEST(Cli, DumpAndExportWriteToStandardOutputOrAFile)
{
    const std::string kmq = "'" + Samples("lab-two-days.kmq") + "'";
    const std::string file = TempFile("written.txt");
    for (const std::string command : {"dump", "export-csv"}) {
        const CliRun toStdout = RunCli(command + " -o - " + kmq);
        ASSERT_EQ(0, toStdout.status) << command;
        EXPECT_GT(toStdout.out.size(), 1000u) << command;
        ASSERT_EQ(0, RunCli(command + " -o '" + file + "' " + kmq).status) << command;
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(toStdout.out, std::string(std::istreambuf_iterator<char>(in), {})) << command;
    }
    EXPECT_EQ(RunCli("dump " + kmq).out, RunCli("dump -o - " + kmq).out);
    // Long work shows progress only on a terminal: never into a captured standard error.
    EXPECT_EQ("", RunCli("export-csv -o - " + kmq).err);
}

TEST(Cli, DumpOfAFileThatDoesNotLoadFails)
{
    EXPECT_EQ(1, RunCli("dump '" + TempFile("noext") + "'").status);
}

namespace {

// Runs a shell command and returns its standard output.
std::string Capture(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while (pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    if (pipe) pclose(pipe);
    return out;
}

}  // namespace

TEST(Cli, ExportCsvReadsBackWithACsvParser)
{
    const std::string out = TempFile("export.csv");
    // The samples' loggers keep Japan's time; on a computer there the serial numbers show the same
    // wall-clock time as the texts.
    setenv("TZ", "Asia/Tokyo", 1);
    const struct {
        std::string options;
        char delimiter;
    } rows[] = {{"", ','}, {"--tab", '\t'}};
    for (const auto& row : rows) {
        ASSERT_EQ(0, RunCli("export-csv " + row.options + " -o '" + out + "' '" + Samples("warehouse-week.kmv") + "' '" +
                            Samples("lab-two-days.kmq") + "'")
                         .status);
        // Python's csv module: rows, the widest and narrowest row, and a few cells.
        const std::string script =
            "import csv,sys\n"
            "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8'),delimiter=sys.argv[2]))\n"
            "print(len(rows),min(map(len,rows)),max(map(len,rows)))\n"
            "print('|'.join(rows[0]))\nprint('|'.join(rows[2]))\nprint('|'.join(rows[3]))\n";
        const std::string scriptPath = TempFile("read_csv.py");
        std::ofstream(scriptPath) << script;
        const std::string parsed =
            Capture("python3 '" + scriptPath + "' '" + out + "' '" + std::string(1, row.delimiter) + "'");
        // 1152 warehouse times and 96 lab times, of which 1152 + 96 - overlap distinct; 2 + 4 columns.
        EXPECT_NE(std::string::npos, parsed.find(" 6 6\n")) << parsed;
        EXPECT_NE(std::string::npos, parsed.find("Date/Time|Date/Time|No.1|No.2|No.3|No.4\n")) << parsed;
        EXPECT_NE(std::string::npos, parsed.find("||°C|%|°C|%\n")) << parsed;
        EXPECT_NE(std::string::npos, parsed.find("2026-06-01 00:00:00|46174.0000000000|")) << parsed;
    }
    unsetenv("TZ");
}

// The picture's format comes from the output's extension; vector pictures keep their texts.
TEST(Cli, RenderWritesAPngSvgOrPdfAndReportsFailedFiles)
{
    const std::string png = TempFile("graph.png");
    std::filesystem::remove(png);
    EXPECT_EQ(0, RunCli("render --size 800x500 -o '" + png + "' '" + Samples("warehouse-week.kmv") + "'").status);
    std::ifstream in(png, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), head);

    std::filesystem::remove(png);
    EXPECT_EQ(1, RunCli("render -o '" + png + "' '" + TempFile("noext") + "' '" + Samples("gallery-light.kmv") + "'").status);
    EXPECT_TRUE(std::filesystem::exists(png));  // the good file still renders
    EXPECT_EQ(2, RunCli("render --size 10x10 -o '" + png + "' '" + Samples("gallery-light.kmv") + "'").status);
    const struct {
        const char* name;
        std::string head;
        const char* holds;
    } pictures[] = {{"graph.svg", "<?xml", "<text"}, {"graph.pdf", "%PDF-", "/Font"}};
    for (const auto& picture : pictures) {
        const std::string path = TempFile(picture.name);
        ASSERT_EQ(0, RunCli("render -o '" + path + "' '" + Samples("warehouse-week.kmv") + "'").status) << picture.name;
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(picture.head, bytes.substr(0, picture.head.size())) << picture.name;
        EXPECT_NE(std::string::npos, bytes.find(picture.holds)) << picture.name;
    }
}

TEST(Cli, InfoJsonReadsWebStorageAnswers)
{
    const auto write = [](const std::string& name, const std::string& text) {
        const auto path = std::filesystem::temp_directory_path() / "orvel-cli-test" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    };
    // Two Celsius records (21.5, 21.6) at one minute, in a channel without a name.
    const std::string block =
        R"({"connect":false,"data":"vwTABA==","first":1700000000,"interval":60,"type":13})";
    const std::string ok = write("answer.json",
                                 R"({"status":200,"result":{"serial":"0x5A000001","model":"M","loggerName":"L",)"
                                 R"("timeDiff":540,"channels":[{"chNumber":1,"chName":"","blocks":[)" +
                                     block + R"(]},{"chNumber":2,"chName":"湿度","blocks":[]}]}})");
    const std::string refused =
        write("refused.json", R"({"status":404,"errors":[{"msg":"no such logger"}]})");
    const struct {
        std::string file;
        int status;
        std::vector<std::string> expected;  // pieces of the JSON report
    } rows[] = {
        {ok, 0,
         {R"("code":0,"location":0)", R"("serialNo":1509949441)", R"("chName":"Ch.1")", R"("chName":"湿度")",
          R"("dataCount":2)", R"("interval":60000)", R"("firstTime":1700000000000,"lastTime":1700000060000)",
          R"("timeDiff":32400000)", R"("class":"DssChRawData","chType":13)", R"("auxText":"2")"}},
        {refused, 1, {R"j("code":52,"location":404,"message":"読み込みに失敗しました。(404)","channels":[])j"}},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli("info --json --web-storage '" + row.file + "'");
        EXPECT_EQ(row.status, run.status) << row.file;
        for (const std::string& piece : row.expected) EXPECT_NE(std::string::npos, run.out.find(piece)) << piece;
    }
}

// Every bundled sample reads without a failure (the web-storage answer as such), and every format
// with a reader has one.
TEST(Cli, InfoJsonReadsEveryBundledSample)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVEL_SAMPLES_DIR))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::set<std::string> extensions;
    for (const auto& file : files) {
        const std::string extension = file.extension().string();
        extensions.insert(extension);
        const std::string options = extension == ".json" ? "info --json --web-storage" : "info --json";
        const CliRun run = RunCli(options + " '" + file.string() + "'");
        EXPECT_EQ(0, run.status) << file;
        EXPECT_NE(std::string::npos, run.out.find(R"("code":0,"location":0)")) << file;
        EXPECT_EQ(std::string::npos, run.out.find(R"("channels":[])")) << file;
    }
    const char* const formats[] = {".cra", ".json", ".ke8", ".kmq", ".kmv",
                                   ".kmw", ".kn1",  ".kn2", ".ks2", ".ks3"};
    for (const char* extension : formats) {
        EXPECT_TRUE(extensions.count(extension))
            << "no sample " << extension;
    }
}

// A graph document (plain body) with one record over a stored GCh: the tool lists and dumps the
// stored channel like any file's, reports a broken one by code and location, and loads it into a
// document for export.
TEST(Cli, GraphDocumentsReadLikeDataFiles)
{
    std::ostringstream body;
    const auto text = [&body](std::u16string_view s) {
        const uint16_t size = uint16_t(s.size() * 2);
        body.put(char(size & 0xFF)).put(char(size >> 8));
        for (char16_t c : s) body.put(char(c & 0xFF)).put(char(c >> 8));
    };
    body << "ChD" << std::string(3, '\0') << char(4) << char(0) << char(1) << char(10) << char(20) << std::string(5, '\0');
    text(u"冷蔵庫");
    body << char(1) << std::string(24, '\0') << char(0);  // decimal places, limits, reserved double, flags
    for (int i = 0; i < 8; ++i) text(u"");
    text(u"GCh");
    OvGraphFileLib::GCh channel;
    channel.SetChName(u"Ch.1");
    channel.SetChType(13);
    channel.SetInterval(60000);
    channel.SetDataCount(2);
    auto block = std::make_shared<OvGraphFileLib::GChRawData>();
    block->SetChType(13);
    block->SetInterval(60000);
    block->SetCount(2);
    block->SetFirstTime(1'700'000'000'000);
    block->SetLastTime(1'700'000'060'000);
    block->GetData() = {0xBF, 0x04, 0xC0, 0x04};  // 21.5, 21.6
    channel.AddRawData(block);
    channel.SetFirstTime(1'700'000'000'000);
    channel.SetLastTime(1'700'000'060'000);
    channel.SaveImpl(body);
    body << "Memo" << std::string(12, '\0');
    text(u"");
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<graph/>\n";
    body << "GrD" << std::string(9, '\0') << char(xml.size()) << std::string(3, '\0') << xml;
    const std::string header = std::string("KMB\x06\0\0\x01\0\x01", 9) + std::string(23, '\0');
    const std::string whole = header + body.str();

    const auto write = [](const std::string& name, const std::string& bytes) {
        const std::string path = TempFile(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    };
    const std::string good = write("document.kmb", whole);
    const std::string cut = write("cut.kmb", whole.substr(0, whole.size() - 3));

    CliRun run = RunCli("info --json '" + good + "'");
    EXPECT_EQ(0, run.status);
    for (const char* piece : {R"("code":0,"location":0)", R"("class":"GCh")", R"("chName":"Ch.1")", R"("dataCount":2)"})
        EXPECT_NE(std::string::npos, run.out.find(piece)) << piece << "\n" << run.out;
    run = RunCli("dump '" + good + "'");
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("# channel 0\n1700000000000\t21.5\n1700000060000\t21.600000000000001\n", run.out);
    run = RunCli("info --json '" + cut + "'");
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.out.find(R"j("code":52,"location":5424,"message":"読み込みに失敗しました。(5424)")j"))
        << run.out;
    EXPECT_EQ(1, RunCli("dump '" + cut + "'").status);
    const std::string csv = TempFile("document.csv");
    EXPECT_EQ(0, RunCli("export-csv -o '" + csv + "' '" + good + "'").status);
    std::ifstream in(csv);
    const std::string exported((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, exported.find("21.5")) << exported;
}

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// A graph document made from recordings draws the picture of the recordings, compressed or not;
// saving it again gives the same bytes.
TEST(Cli, SavedGraphDocumentDrawsLikeItsRecordings)
{
    const std::string files = "'" + Samples("warehouse-week.kmv") + "' '" + Samples("gallery-light.kmv") + "' '" +
                              Samples("pump-station.ke8") + "'";
    const std::string direct = TempFile("direct.png"), viaKmb = TempFile("via-kmb.png");
    ASSERT_EQ(0, RunCli("render --size 900x560 -o '" + direct + "' " + files).status);
    for (const char* option : {"", "--uncompressed "}) {
        SCOPED_TRACE(option);
        const std::string kmb = TempFile("saved.kmb"), again = TempFile("again.kmb");
        ASSERT_EQ(0, RunCli(std::string("save-kmb ") + option + "-o '" + kmb + "' " + files).status);
        ASSERT_EQ(0, RunCli("render --size 900x560 -o '" + viaKmb + "' '" + kmb + "'").status);
        EXPECT_TRUE(ReadAll(direct) == ReadAll(viaKmb));
        ASSERT_EQ(0, RunCli(std::string("save-kmb ") + option + "-o '" + again + "' '" + kmb + "'").status);
        EXPECT_TRUE(ReadAll(kmb) == ReadAll(again));
    }
    // A folder that is a file: nothing is written, exit status 1.
    EXPECT_EQ(1, RunCli("save-kmb -o '" + TempFile("noext") + "/x.kmb' " + files).status);
    EXPECT_EQ(2, RunCli("save-kmb " + files).status);
}

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The samples of a channel without missing values as dump prints them: (ms, value).
std::vector<std::pair<long long, double>> Dumped(const std::string& file, int channel)
{
    std::vector<std::pair<long long, double>> samples;
    for (const std::string& line : Lines(RunCli("dump --channel " + std::to_string(channel) + " '" + file + "'").out))
        samples.emplace_back(std::stoll(line), std::stod(line.substr(line.find('\t') + 1)));
    return samples;
}

std::string Format(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

// thin prints like dump; mkt prints one "No.<n>\t<name>\t%.2f" line per channel, worked out from
// the samples that dump shows.
TEST(Cli, ThinAndMktAgreeWithTheDumpedSamples)
{
    const std::string lab = Samples("lab-two-days.kmq");
    const auto temperature = Dumped(lab, 0), humidity = Dumped(lab, 1);
    ASSERT_EQ(96u, temperature.size());
    // One sample per recording interval is the recording itself.
    const CliRun same = RunCli("thin --window 1800000 --method 0 '" + lab + "'");
    EXPECT_EQ(0, same.status);
    EXPECT_EQ(RunCli("dump --channel 0 '" + lab + "'").out, same.out);

    const auto mkt = [](const std::vector<std::pair<long long, double>>& samples, double dH) {
        const double k = dH * 1000 / 8.314472;
        double sum = 0;
        for (const auto& sample : samples) sum += std::exp(-k / (sample.second + 273.15));
        return k / -std::log(sum / double(samples.size())) - 273.15;
    };
    const struct {
        std::string options;
        double dH;
        double (*unit)(double);
    } rows[] = {
        {"", 83.14472, [](double c) { return c; }},
        {"--unit K ", 83.14472, [](double c) { return c + 273.15; }},
        {"--fahrenheit ", 83.14472, [](double c) { return c * 1.8 + 32; }},  // the document's unit by default
        {"--fahrenheit --unit C ", 83.14472, [](double c) { return c; }},
        {"--activation-energy 120 --unit F ", 120, [](double c) { return c * 1.8 + 32; }},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli("mkt " + row.options + "'" + lab + "'");
        EXPECT_EQ(0, run.status) << row.options;
        EXPECT_EQ("No.1\tLab 2 Ch.1\t" + Format("%.2f", row.unit(mkt(temperature, row.dH))) + "\nNo.2\tLab 2 Ch.2\t" +
                      Format("%.2f", row.unit(mkt(humidity, row.dH))) + "\n",
                  run.out)
            << row.options;
    }

    // Windows start at --origin: the first record, before it, falls in the window at the origin.
    const long long origin = temperature.front().first + 1'800'000;
    EXPECT_EQ(0u, RunCli("thin --window 3600000 --method 0 --origin " + std::to_string(origin) + " '" + lab + "'")
                      .out.find(std::to_string(origin) + "\t"));

    // The dew point takes --temperature as the temperature and --humidity as the humidity.
    const auto dewPointOf = [](double t, double h) {
        const double kelvin = t + 273.15;
        const double es = std::pow(2.718281828, -6096.9385 / kelvin + 21.2409642 - 0.02711193 * kelvin +
                                                    0.00001673952 * kelvin * kelvin + 2.433502 * std::log(kelvin));
        const double y = std::log(es * h / 100 / 611.213);
        return y >= 0 ? 13.715 * y + 0.84262 * y * y + 0.019048 * y * y * y + 0.0078158 * y * y * y * y
                      : 13.7204 * y + 0.736631 * y * y + 0.0332136 * y * y * y + 0.000778591 * y * y * y * y;
    };
    const CliRun dewPoint = RunCli("dewpoint --temperature 0 --humidity 1 '" + lab + "'");
    ASSERT_EQ(0, dewPoint.status);
    const double first = std::stod(dewPoint.out.substr(dewPoint.out.find('\t') + 1));
    EXPECT_NEAR(dewPointOf(temperature.front().second, humidity.front().second), first, 1e-9);
}

// dewpoint prints like dump; the tools fail with exit status 1 and their message, or 2 for usage.
TEST(Cli, AnalysisToolsFailWithTheirMessages)
{
    const std::string lab = "'" + Samples("lab-two-days.kmq") + "'", warehouse = "'" + Samples("warehouse-week.kmv") + "'";
    // Web-storage channels of two records at 1700000000 s (21.5, 21.6), a minute later, and none.
    const auto channel = [](int number, int first) {
        const std::string block =
            R"({"connect":false,"data":"vwTABA==","first":)" + std::to_string(first) + R"(,"interval":60,"type":13})";
        return R"({"chNumber":)" + std::to_string(number) + R"(,"chName":"","blocks":[)" + (first ? block : "") + "]}";
    };
    const std::string answer = TempFile("dewpoint-answer.json");
    std::ofstream(answer, std::ios::trunc)
        << R"({"status":200,"result":{"serial":"0x5A000001","model":"M","loggerName":"L","timeDiff":540,"channels":[)"
        << channel(1, 1700000000) << "," << channel(2, 1700000060) << "," << channel(3, 0) << "," << channel(4, 1700000000)
        << "]}}";
    const std::string web = "--web-storage '" + answer + "'";
    const struct {
        std::string arguments;
        int status;
        std::string err;  // a piece of stderr
        size_t lines;     // of stdout
    } rows[] = {
        {"thin --window 0 --method 2 " + lab, 1, "失敗しました。(20020)", 0},
        {"thin --window 3600000 --method 2 --channel 2 " + lab, 1, "no channel 2", 0},
        {"thin --method 2 " + lab, 2, "--window", 0},
        {"thin --window 1000 --method 5 " + lab, 2, "--method", 0},
        {"thin --window 1000 --method 0 " + lab + " " + warehouse, 2, "exactly one file", 0},
        {"mkt", 2, "", 0},
        {"mkt --unit X " + lab, 2, "--unit", 0},
        {"mkt --activation-energy 0 " + lab, 2, "--activation-energy", 0},
        {"mkt '" + TempFile("noext") + "' " + lab, 1, "未対応のファイルです。", 2},  // the loaded file is still reported
        {"dewpoint --temperature 0 " + lab, 2, "", 0},
        {"dewpoint --temperature 0 --humidity x " + lab, 2, "--humidity", 0},
        {"dewpoint --temperature 0 --humidity -1 " + lab, 2, "--humidity", 0},
        {"dewpoint --temperature 0 --humidity 2 " + lab, 1, "no channel 2", 0},
        {"dewpoint --temperature 0 --humidity 3 " + warehouse + " " + lab, 1, "温度と湿度のデータ数が異なります。", 0},
        {"dewpoint --temperature 0 --humidity 1 " + web, 1, "温度と湿度のデータの時刻が異なります。", 0},
        {"dewpoint --temperature 0 --humidity 2 " + web, 1, "温度と湿度のデータがありません。", 0},
        {"dewpoint --temperature 0 --humidity 3 " + web, 0, "", 2},
        // 1152 pairs, 36 of them missing while the sensor was unplugged: one break instead.
        {"dewpoint --temperature 0 --humidity 1 " + warehouse, 0, "", 1152 - 36 + 1},
        {"thin --window 3600000 --method 4 " + warehouse, 0, "", 1152 / 6},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli(row.arguments);
        EXPECT_EQ(row.status, run.status) << row.arguments;
        EXPECT_NE(std::string::npos, run.err.find(row.err)) << row.arguments << "\n" << run.err;
        EXPECT_EQ(row.lines, Lines(run.out).size()) << row.arguments << "\n" << run.out;
    }
    EXPECT_EQ(0u, RunCli("dewpoint --temperature 0 --humidity 3 " + web).out.find("1700000000000\t"));
    EXPECT_NE(std::string::npos, RunCli("thin --window 3600000 --method 4 " + warehouse).out.find("\tINVALID\n"));
}

// A macro runs on the loaded files and its result is written; a failing one is reported like the
// window's error box and writes nothing.
TEST(Cli, MacroRunsTheScriptAndWritesItsResult)
{
    const std::string csv = TempFile("macro.csv"), kmb = TempFile("macro.kmb");
    std::filesystem::remove(csv);
    std::filesystem::remove(kmb);
    const std::string sample = std::string(ORVEL_SAMPLES_DIR) + "/../macros/keep-temperatures.js";
    const CliRun run = RunCli("macro '" + sample + "' '" + Samples("lab-two-days.kmq") + "' --export-csv '" + csv + "' --save-kmb '" + kmb + "'");
    ASSERT_EQ(0, run.status) << run.err;
    std::ifstream in(csv);
    std::string numbers, names, units;
    std::getline(in, numbers), std::getline(in, names), std::getline(in, units);
    EXPECT_EQ(units, "\"\",\"\",\"°C\"\r");  // the humidity channel is gone
    const CliRun reread = RunCli("info '" + kmb + "'");
    EXPECT_EQ(0, reread.status) << reread.err;
    EXPECT_EQ(std::string::npos, reread.out.find("%")) << reread.out;

    const std::string failing = TempFile("failing.js"), untouched = TempFile("untouched.csv");
    std::ofstream(failing) << "app.remove(app.channel(0));\napp.channel(0).block(0).sample(-1);\n";
    std::filesystem::remove(untouched);
    const CliRun failed = RunCli("macro '" + failing + "' '" + Samples("lab-two-days.kmq") + "' --export-csv '" + untouched + "'");
    EXPECT_EQ(1, failed.status);
    EXPECT_NE(std::string::npos, failed.err.find("マクロ実行中にエラーが発生しました。\nRangeError")) << failed.err;
    EXPECT_NE(std::string::npos, failed.err.find("File:failing.js\nLine 2:app.channel(0).block(0).sample(-1);")) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(untouched));
    EXPECT_EQ(2, RunCli("macro").status);
}
