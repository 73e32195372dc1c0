#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../AllocationProbe.h"
#include "../filelib/ChannelBytes.h"
#include "SaveFaults.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/FileKmb.h"
#include "App/FileLoader.h"
#include "App/GraphDocumentSave.h"
#include "App/PrmScaleExpr.h"
#include "filelib/CalcCh.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/XmlElement.h"
#include "FuzzAppTargets.h"
#include "graph/Glyph.h"
#include "graph/Graph.h"

using namespace ovgApp;
namespace ofl = OvGraphFileLib;
using ofl::Result;
using orvel::test::ChannelBytes;
using Unit = FileKmbFileHeader::TemperatureUnit;

namespace {

using Outcome = std::pair<int32_t, int32_t>;  // code, location
Outcome Of(const Result& result) { return {result.code, result.location}; }

// Runs deflate or inflate over all of `in`; returns what it handed out.
std::string Pump(z_stream& zs, int (*step)(z_streamp, int), std::string_view in, int flush, int* status = nullptr)
{
    std::string out;
    std::vector<char> piece(1 << 16);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = uInt(in.size());
    int last = Z_OK;
    while (last == Z_OK && (zs.avail_in != 0 || out.empty() || zs.avail_out == 0)) {
        zs.next_out = reinterpret_cast<Bytef*>(piece.data());
        zs.avail_out = uInt(piece.size());
        last = step(&zs, flush);
        out.append(piece.data(), piece.size() - zs.avail_out);
    }
    if (status) *status = last;
    return out;
}

// A gzip member of the bytes, as any gzip tool writes it.
std::string Gzip(std::string_view bytes)
{
    z_stream zs{};
    deflateInit2(&zs, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    const std::string out = Pump(zs, deflate, bytes, Z_FINISH);
    deflateEnd(&zs);
    return out;
}

// What a gzip tool unpacks from one whole member; a marker when the bytes are not one.
std::string Gunzip(std::string_view bytes)
{
    z_stream zs{};
    inflateInit2(&zs, 15 + 16);
    int status = Z_OK;
    const std::string out = Pump(zs, inflate, bytes, Z_NO_FLUSH, &status);
    inflateEnd(&zs);
    return status == Z_STREAM_END && zs.avail_in == 0 ? out : "(not one gzip member)";
}

// A gzip member of 1 GiB of zeros in about 1 MB, built once: one MiB deflated up to a full flush,
// which makes its bytes independent of what came before, 1024 times, then the CRC-32 and length.
const std::string& GzipOfOneGibOfZeros()
{
    static const std::string member = [] {
        z_stream zs{};
        deflateInit2(&zs, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
        const std::string zeros(1 << 20, '\0');
        const std::string mebibyte = Pump(zs, deflate, zeros, Z_FULL_FLUSH);
        const std::string last = Pump(zs, deflate, {}, Z_FINISH);
        deflateEnd(&zs);
        const uLong zerosCrc = crc32(0, reinterpret_cast<const Bytef*>(zeros.data()), uInt(zeros.size()));
        uLong crc = crc32(0, nullptr, 0);
        std::string out("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10);
        for (int i = 0; i < 1024; ++i) out += mebibyte;
        for (int i = 0; i < 1024; ++i) crc = crc32_combine(crc, zerosCrc, z_off_t(zeros.size()));
        out += last;
        for (int i = 0; i < 4; ++i) out += char((crc >> (8 * i)) & 0xFF);
        return out + std::string("\0\0\0\x40", 4);  // 2^30 bytes
    }();
    return member;
}

// The most heap bytes held at once while `work` runs.
size_t PeakHeapGrowth(const std::function<void()>& work)
{
    const alloc_probe::PeakScope probe;
    work();
    return probe.Peak();
}

std::string Header(uint16_t version, bool compressed, uint16_t count, uint8_t unit)
{
    const char bytes[32] = {'K', 'M', 'B', char(version), char(version >> 8), char(compressed), char(count),
                            char(count >> 8), char(unit)};
    return std::string(bytes, sizeof bytes);
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }
std::vector<uint8_t> Zeros(size_t count) { return std::vector<uint8_t>(count, 0); }

std::shared_ptr<ofl::XmlElement> GraphStateTree()
{
    auto root = std::make_shared<ofl::XmlElement>("graph_state");
    root->SetAttribute("version", "1.00");
    auto& axis = root->Append("axis");
    axis.SetAttribute("id", "20");
    axis.Append("title", "温度 [°C]");
    root->Append("legend").Append("visible", "1");
    return root;
}

// A recording of `count` 16-bit codes (0.1 °C steps) at one-minute intervals.
// Codes base, base + 1, ... base + 49 over and over; with a noise seed, base plus noise below
// 1000 instead (data that compresses as little as real recordings).
std::shared_ptr<ofl::GCh> Recording(const std::u16string& name, uint16_t type, int32_t count, uint16_t base,
                                    uint32_t noiseSeed = 0)
{
    auto ch = std::make_shared<ofl::GCh>();
    ch->SetLoggerName(u"Logger");
    ch->SetChName(name);
    ch->SetChType(type);
    ch->SetInterval(60000);
    ch->SetDataCount(count);
    ch->SetFirstTime(1'700'000'000'000);
    ch->SetLastTime(1'700'000'000'000 + int64_t(count - 1) * 60000);
    ch->SetTimeDiff(32'400'000);
    std::vector<uint8_t> codes;
    std::minstd_rand noise(noiseSeed);
    for (int32_t i = 0; i < count; ++i) {
        const auto code = uint16_t(base + (noiseSeed ? noise() % 1000 : i % 50));
        codes.insert(codes.end(), {uint8_t(code), uint8_t(code >> 8)});
    }
    ch->AddRawData(orvel::test::MakeBlock(
        {"GChRawData", type, ch->GetFirstTime(), ch->GetLastTime(), 0, 0, 60000, count, 2, codes}));
    return ch;
}

// The channel the record of KmbBody stores.
std::shared_ptr<ofl::GCh> StoredGCh()
{
    auto ch = Recording(u"Ch.1", 13, 3, 1250);
    ch->SetSerialNo(0x1234ABCD);
    ch->SetModel(u"TR-71");
    ch->SetLoggerName(u"倉庫");
    ch->SetUpperLimit(30.0);
    ch->SetLowerLimit(-5.0);
    return ch;
}

// The memo and the graph state that end every body.
ChannelBytes& AppendMemoAndGraphState(ChannelBytes& b, std::u16string_view memo)
{
    const std::string xml = ofl::WriteXmlDocument(*GraphStateTree());
    return b.Raw(Bytes("Memo"), {5230, 5270}).Raw(Zeros(12), {5231, 5272}).Text(memo, {5232, 5273})
        .Raw(Bytes("GrD"), {5302, 5320}).Raw(Zeros(9), {5303, 5322})
        .Num(uint32_t(xml.size()), {5304, 5423}).Raw(Bytes(xml), {5305, 5424});
}

// The body of a document with one record over StoredGCh, field by field with the locations the
// writer and the reader report for it (the stored channel's are its own). A reserved run is read
// together with the field after it.
ChannelBytes KmbBody(uint8_t significantFigures = 5, const std::u16string& className = u"GCh")
{
    ChannelBytes b;
    b.Raw(Bytes("ChD"), {5200, 5241}).Raw(Zeros(3), {5201, 5242}).Num(significantFigures, {5202, 5242})
        .Num(uint8_t(3), {5203, 5243}).Num(uint8_t(FileKmbCh::kVisibleInTable), {5204, 5244})
        .Num(uint8_t(10), {5205, 5245}).Num(uint8_t(31), {5206, 5246}).Raw(Zeros(5), {5207, 5247})
        .Text(u"倉庫 温度", {5208, 5247}).Num(int8_t(2), {5209, 5248}).Num(86.0, {5210, 5249})
        .Num(23.0, {5211, 5250}).Num(0.0, {5212, 5251})
        .Num(uint8_t(FileKmbCh::kExprApplied | FileKmbCh::kExprTwoPoints), {5213, 5252})
        .Text(u"4", {5214, 5253}).Text(u"0", {5215, 5254}).Text(u"20", {5216, 5255}).Text(u"100", {5217, 5256})
        .Text(u"", {5218, 5257}).Text(u"", {5219, 5258}).Text(u"kPa", {5220, 5259}).Text(u"圧力", {5221, 5260})
        .Text(className, {5222, 5261});
    if (className == u"GCh") {
        b.Num(uint8_t(1), {700, 730}).Num(uint32_t(0x1234ABCD), {701, 732}).Text(u"TR-71", {702, 733})
            .Text(u"", {703, 734}).Text(u"倉庫", {704, 735}).Text(u"Ch.1", {705, 736})
            .Num(int64_t(60000), {706, 737}).Num(int32_t(3), {707, 738}).Num(uint16_t(13), {708, 739})
            .Num(int8_t(-1), {709, 740}).Num(30.0, {710, 741}).Num(-5.0, {711, 742})
            .Num(int64_t(1'700'000'000'000), {712, 743}).Num(int64_t(1'700'000'120'000), {713, 744})
            .Num(int64_t(32'400'000), {714, 745}).Num(INT64_MAX, {715, 746}).Num(INT64_MAX, {716, 747})
            .Text(u"", {717, 748}).Text(u"", {718, 749}).Num(uint16_t(1), {719, 750}).Text(u"GChRawData", {720, 751});
        orvel::test::AppendBlock(b, {"GChRawData", 13, 1'700'000'000'000, 1'700'000'120'000, 0, 0, 60000, 3, 2,
                                     orvel::test::Codes16({1250, 1251, 1252})});
        b.Num(uint8_t(0), {721, 753});
    }
    return AppendMemoAndGraphState(b, u"点検済み\r\n2行目");
}

std::string KmbFile(uint16_t version, bool compressed, const ChannelBytes& body, uint16_t count = 1)
{
    return Header(version, compressed, count, Unit::kFahrenheit) + (compressed ? Gzip(body.Str()) : body.Str());
}

// An applied expression from two points (four texts) or from a slope and an intercept (two).
std::shared_ptr<PrmScaleExpr> Expr(const QStringList& inputs, const QString& unit, const QString& name, int figures)
{
    auto expr = std::make_shared<PrmScaleExpr>();
    if (inputs.size() == 4) {
        expr->SetInputMode(PrmScaleExpr::kInputTwoPoints);
        expr->SetInputX1(inputs[0]);
        expr->SetInputY1(inputs[1]);
        expr->SetInputX2(inputs[2]);
        expr->SetInputY2(inputs[3]);
    } else {
        expr->SetInputSlope(inputs[0]);
        expr->SetInputIntercept(inputs[1]);
    }
    expr->SetUnit(unit);
    expr->SetName(name);
    expr->SetSignificantFigures(figures);
    expr->ComputeCoefficients();
    expr->SetApplied(true);
    return expr;
}

// KmbBody as the writer holds it.
FileKmb KmbObject()
{
    FileKmb file;
    file.GetHeader().SetCompressed(false);
    file.GetHeader().SetTemperatureUnit(Unit::kFahrenheit);
    FileKmbCh& record = file.GetRecords().emplace_back();
    record.SetTypeOverride(3);
    record.SetFlags(FileKmbCh::kVisibleInTable);
    record.SetAxes(10, 31);
    record.SetName(QStringLiteral("倉庫 温度"));
    record.SetDecimalPlaces(2);
    record.SetLimits(86.0, 23.0);
    record.SetScaleExpr(Expr({"4", "0", "20", "100"}, "kPa", QStringLiteral("圧力"), 5));
    record.SetStoredCh(StoredGCh());
    file.SetMemo(QStringLiteral("点検済み\r\n2行目"));
    file.SetGraphState(GraphStateTree());
    return file;
}

Result LoadBytes(FileKmb& file, const std::string& bytes)
{
    std::istringstream in(bytes);
    return file.Load(in);
}

std::string SaveBytes(const FileKmb& file)
{
    std::ostringstream out;
    const Result result = file.Save(out);
    EXPECT_TRUE(result.Ok()) << result.code << " at " << result.location;
    return out.str();
}

std::string ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

// One run of the loader over `paths` into `document`, synchronously or in the background.
struct LoaderRun : FileLoader::Callbacks {
    FileLoader::Prm prm;
    bool fresh;
    std::vector<std::pair<int32_t, bool>> questions;  // file index, saved in Celsius
    int32_t finishes = 0;
    QEventLoop loop;

    LoaderRun(AppDocument& document, const QStringList& paths, bool fresh, bool background = false) : fresh(fresh)
    {
        prm.paths = paths;
        prm.document = &document;
        if (!background) {
            FileLoader::Load(prm, this);
            return;
        }
        FileLoader loader;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        EXPECT_TRUE(loader.Start(std::shared_ptr<FileLoader::Prm>(&prm, [](FileLoader::Prm*) {}), this));
        loop.exec();
        EXPECT_EQ(finishes, 1) << "the load did not finish in time";
    }
    bool IsDocumentFresh() override { return fresh; }
    bool AskTemperatureUnit(int32_t fileIndex, bool savedInCelsius) override
    {
        questions.emplace_back(fileIndex, savedInCelsius);
        return false;
    }
    void OnFinish() override
    {
        ++finishes;
        loop.quit();
    }
};

// A document with the axis ids of its channels, in channel order.
struct DocumentWithAxes {
    AppDocument document;
    std::vector<FileKmb::AxisIds> axes;

    FileKmb SaveAs(const QString& path, std::shared_ptr<ofl::XmlElement> tree, bool compressed = true) const
    {
        FileKmb file;
        const auto idsOf = [this](const AppCh& ch) { return axes[size_t(document.IndexOf(&ch))]; };
        EXPECT_TRUE(file.FromDocument(document, std::move(tree), idsOf, compressed).Ok());
        const Result result = file.Save(FsPath(path));
        EXPECT_TRUE(result.Ok()) << result.code << " at " << result.location;
        return file;
    }
};

// A document as a user leaves it: a Celsius recording shown in Fahrenheit with limits, hidden in
// the graph and listed in the table; a channel with a two-point expression and a type override;
// one with a slope-and-intercept expression, optionally over a calculated channel; the memo.
struct SampleDocument : DocumentWithAxes {
    explicit SampleDocument(bool calculated = false)
    {
        document.SetTemperatureDisplayType(14);
        auto celsius = std::make_shared<AppCh>(&document, Recording(u"温度", 13, 200, 1200));
        document.AddChannel(celsius);
        celsius->ClearStateBits(ovgGraph::kVisible);
        celsius->SetVisibleInTable(true);
        celsius->SetDisplayName(QStringLiteral("冷蔵庫 温度"));
        celsius->SetDecimalPlaces(2);
        celsius->SetUpperLimit(46.4);
        celsius->SetLowerLimit(14.0);

        auto current = std::make_shared<AppCh>(&document, Recording(u"電流", 129, 50, 400));
        document.AddChannel(current);
        current->SetScaleExpr(Expr({"4", "0", "20", "100"}, "kPa", QStringLiteral("圧力"), 6));
        current->SetTypeOverride(true, 12);

        std::shared_ptr<ofl::ICh> third = Recording(u"湿度", 209, 80, 500);
        if (calculated) {
            auto calc = std::make_shared<ofl::CalcCh>();
            calc->SetRawData(third->GetRawData());
            third = calc;
        }
        auto humidity = std::make_shared<AppCh>(&document, third);
        document.AddChannel(humidity);
        humidity->SetScaleExpr(Expr({"0.5", "-2"}, "g/m3", {}, PrmScaleExpr::kDefaultSignificantFigures));

        document.SetMemo(QStringLiteral("点検済み\n温度は華氏"));
        axes = {{10, 20}, {10, 30}, {11, 21}};
    }
};

// A saved document opened by the loader into a fresh document showing Fahrenheit.
struct Reopened : DocumentWithAxes {
    std::shared_ptr<ofl::XmlElement> graphState;

    explicit Reopened(const QString& path)
    {
        document.SetTemperatureDisplayType(14);
        const LoaderRun run(document, {path}, true);
        for (const auto& info : run.prm.channels) {
            axes.push_back({info->timeAxis, info->valueAxis});
            document.AddChannel(info->appCh);
        }
        document.SetMemo(run.prm.memo);
        graphState = run.prm.graphState;
    }
};

// What a user sees of a channel, its expression and its file channel.
void ExpectSameAppCh(const AppCh& expected, const AppCh& actual)
{
    const auto seen = [](const AppCh& ch) {
        const PrmScaleExpr& e = *ch.GetScaleExpr();
        std::vector<std::pair<double, double>> points;
        for (size_t i = 0; i < ch.GetPoints().Size(); ++i)
            points.emplace_back(ch.GetPoints().X(i), ch.GetPoints().Y(i));
        return std::tuple(ch.GetDisplayName(), ch.IsVisible(), ch.IsVisibleInTable(), ch.GetDecimalPlaces(),
                          ch.GetUpperLimit(), ch.GetLowerLimit(), ch.IsOverrideActive(), ch.GetOverrideCode(),
                          ch.GetUnitText(), ch.HasOwnScaleExpr(), e.GetSlope(), e.GetIntercept(), e.GetName(),
                          e.GetInputMode(), e.GetSignificantFigures(), e.GetInputX2(), e.GetInputSlope(), points);
    };
    EXPECT_EQ(seen(expected), seen(actual)) << expected.GetDisplayName().toStdString();
    orvel::test::ExpectSameChannel(expected.GetFileCh(), actual.GetFileCh());
}

// The writer puts every field where the layout says; a reader cut short anywhere, and a writer on
// a device that takes only so many bytes, name the field they stopped in.
TEST(FileKmb, EveryFieldIsWrittenInPlaceAndNamedWhereReadingOrWritingStops)
{
    ChannelBytes emptyBody;
    AppendMemoAndGraphState(emptyBody, u"");
    FileKmb empty;
    ASSERT_TRUE(empty.FromDocument(AppDocument(), GraphStateTree(), FileKmb::AxisIdsOf{}, false).Ok());
    const struct { const char* name; FileKmb file; ChannelBytes body; std::string header; } rows[] = {
        {"one record", KmbObject(), KmbBody(), Header(6, false, 1, Unit::kFahrenheit)},
        {"no channels", empty, emptyBody, Header(6, false, 0, Unit::kNoTemperature)},
    };
    for (const auto& row : rows) {
        const std::string bytes = row.header + row.body.Str();
        EXPECT_EQ(SaveBytes(row.file), bytes) << row.name;
        // Compressed, the header stays plain and the body inflates to the same bytes.
        FileKmb compressed = row.file;
        compressed.GetHeader().SetCompressed(true);
        std::string header = row.header;
        header[5] = 1;
        const std::string packed = SaveBytes(compressed);
        EXPECT_EQ(packed.substr(0, 32), header) << row.name;
        EXPECT_EQ(Gunzip(packed.substr(32)), row.body.Str()) << row.name;

        for (size_t n = 0; n < bytes.size(); ++n) {
            const orvel::test::Loc loc = n < 32 ? orvel::test::Loc{5100, 5110} : row.body.LocAt(n - 32);
            FileKmb file;
            EXPECT_EQ(Of(LoadBytes(file, bytes.substr(0, n))), Outcome(ofl::kReadFailed, loc.load)) << row.name << n;
            orvel::test::LimitedBuf device(n);
            std::ostream out(&device);
            EXPECT_EQ(Of(row.file.Save(out)), Outcome(ofl::kWriteFailed, loc.save)) << row.name << " device " << n;
            if (n < 32) continue;
            // The same body cut short, then compressed: the gzip stream ends cleanly but early.
            const std::string gz = header + Gzip(row.body.Str().substr(0, n - 32));
            EXPECT_EQ(Of(LoadBytes(file, gz)), Outcome(ofl::kReadFailed, loc.load)) << row.name << " gzip " << n;
        }
    }
    // A compressed body reaches the device in pieces: the failure shows where zlib handed it over.
    orvel::test::LimitedBuf device(40);
    std::ostream out(&device);
    FileKmb compressed = KmbObject();
    compressed.GetHeader().SetCompressed(true);
    EXPECT_EQ(Of(compressed.Save(out)), Outcome(ofl::kWriteFailed, 5101));
    // No graph state to save: nothing is built.
    EXPECT_EQ(empty.FromDocument(AppDocument(), nullptr, FileKmb::AxisIdsOf{}).location, 5504);
}

// A file that loads saves again byte for byte: with the layout pinned above, that checks every
// field the reader took in.
TEST(FileKmb, ReaderTakesVersionsUpToSixAndRefusesWhatItCannotRead)
{
    const std::string plain = KmbFile(6, false, KmbBody()), gz = KmbFile(6, true, KmbBody());
    const std::string body = plain.substr(32);
    std::string magic = plain, badCheck = gz;
    magic[2] = 'C';
    badCheck[badCheck.size() - 6] ^= 0x55;  // the CRC-32 in the gzip trailer
    ChannelBytes emptyBody;
    const std::string empty = Header(6, false, 0, 0) + AppendMemoAndGraphState(emptyBody, u"").Str();
    // The expected outcome's location, or -1 for any but 0; the bytes saved again, plainly.
    struct Row { std::string name, bytes; Outcome outcome; std::string resaved; };
    std::vector<Row> rows = {
        {"magic KMC", magic, {ofl::kUnsupportedFile, 5111}, ""},
        {"unknown stored class", KmbFile(6, false, KmbBody(5, u"NoSuchCh")), {ofl::kUnsupportedFile, 5262}, ""},
        {"class that does not store itself", KmbFile(6, true, KmbBody(5, u"FileKn1Ch")), {ofl::kUnsupportedFile, 5262},
         ""},
        {"record tag", Header(6, false, 1, 1) + "ChX" + body.substr(3), {ofl::kReadFailed, 5241}, ""},
        {"more records than the body holds", KmbFile(6, false, KmbBody(), 2), {ofl::kReadFailed, 5241}, ""},
        {"body that is not gzip", Header(6, true, 1, 1) + body, {ofl::kReadFailed, 5241}, ""},
        {"gzip trailer cut", gz.substr(0, gz.size() - 4), {ofl::kReadFailed, 5430}, ""},
        {"gzip last byte cut", gz.substr(0, gz.size() - 1), {ofl::kReadFailed, 5430}, ""},
        {"bad gzip check value", badCheck, {ofl::kReadFailed, 5430}, ""},
        {"gzip cut in the middle", gz.substr(0, 32 + (gz.size() - 32) / 2), {ofl::kReadFailed, -1}, ""},
        {"gzip cut after its header", gz.substr(0, 32 + 10), {ofl::kReadFailed, 5241}, ""},
        // Another gzip member after the body, or bytes that do not start one, change nothing.
        {"another gzip member", gz + Gzip("more"), {0, 0}, plain},
        {"trailing zeros", gz + std::string(4, '\0'), {0, 0}, plain},
        {"no channels", empty, {0, 0}, empty},
        {"no channels compressed", Header(6, true, 0, 0) + Gzip(empty.substr(32)), {0, 0}, empty},
    };
    for (const uint16_t version : {0, 1, 5, 6, 7, 0xFFFF}) {
        const Outcome outcome = version > 6 ? Outcome(ofl::kNewerVersion, 5112) : Outcome(0, 0);
        for (const bool compressed : {false, true}) {
            rows.push_back({"version " + std::to_string(version) + (compressed ? " compressed" : ""),
                            KmbFile(version, compressed, KmbBody()), outcome,
                            version > 6 ? "" : KmbFile(version, false, KmbBody())});
        }
    }
    // Significant figures outside 1 to 8 load as 9.
    for (const auto& [stored, loaded] :
         std::vector<std::pair<uint8_t, uint8_t>>{{0, 9}, {1, 1}, {8, 8}, {9, 9}, {12, 9}, {255, 9}}) {
        rows.push_back({"significant figures " + std::to_string(stored), KmbFile(6, false, KmbBody(stored)),
                        {0, 0}, KmbFile(6, false, KmbBody(loaded))});
    }
    for (const Row& row : rows) {
        FileKmb file;
        const Result result = LoadBytes(file, row.bytes);
        const bool anyPlace = row.outcome.second < 0 && result.location != 0;
        EXPECT_EQ(Of(result), anyPlace ? Outcome(row.outcome.first, result.location) : row.outcome) << row.name;
        if (!result.Ok()) {
            EXPECT_TRUE(file.GetRecords().empty()) << row.name;
            continue;
        }
        file.GetHeader().SetCompressed(false);
        EXPECT_EQ(SaveBytes(file), row.resaved) << row.name;
    }
}

// Whatever the reader makes of damaged files is a Result, and what loads also reopens as channels
// and saves again.
namespace {

// The graph document the program saves for a sample recording opened alone.
std::string SavedSample(const std::filesystem::path& sample, const QTemporaryDir& dir)
{
    AppDocument document;
    FileLoader::Prm prm;
    prm.paths = {QString::fromStdU16String(sample.u16string())};
    prm.document = &document;
    FileLoader::Load(prm);
    for (const auto& channels : prm.ChannelsByFile())
        for (const auto& channel : channels) document.AddChannel(channel);
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    const QString path = dir.filePath(QString::fromStdU16String(sample.filename().u16string()) + ".kmb");
    EXPECT_TRUE(SaveGraphDocument(document, &graph, FsPath(path)).Ok()) << sample;
    return ReadAll(path);
}

// What a graph document reader can have inflated from these bytes: the whole file, or the
// header and what the gzip stream after it unpacks to before it ends or breaks.
size_t InflatableBytes(const std::string& bytes)
{
    constexpr size_t kHeaderSize = FileKmbFileHeader::kSize;
    if (bytes.size() <= kHeaderSize) return bytes.size();
    z_stream zs{};
    inflateInit2(&zs, 15 + 16);
    const size_t inflated = Pump(zs, inflate, std::string_view(bytes).substr(kHeaderSize), Z_NO_FLUSH).size();
    inflateEnd(&zs);
    return std::max(bytes.size(), kHeaderSize + inflated);
}

}  // namespace

// The saved graph document of every sample recording, cut at every offset and with 2,000 random
// bytes changed: every load ends in a result that names its step and holds at most twice what
// it inflated and 16 MiB; what loads opens as the program opens it (channels, graph state).
TEST(FileKmb, EveryCutAndFlipOfEverySavedSampleEndsInAResultWithinTheMemoryCap)
{
    QTemporaryDir dir;
    std::mt19937 random(20261207);
    int loaded = 0;
    const auto check = [&](const std::string& bytes, const std::string& what) {
        FileKmb file;
        Result result;
        const size_t peak = PeakHeapGrowth([&] { result = LoadBytes(file, bytes); });
        EXPECT_TRUE(result.Ok() || result.location != 0) << what << ": code " << result.code << ' ' << result.where;
        EXPECT_LE(peak, 2 * InflatableBytes(bytes) + (size_t(16) << 20)) << what;
        if (!result.Ok()) return;
        ++loaded;
        FuzzKmb(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        if (const auto& tree = file.GetGraphState()) ApplyGraphState(*tree);
    };
    for (const auto& entry : std::filesystem::directory_iterator(ORVEL_SAMPLES_DIR)) {
        if (entry.path().extension() == ".json") continue;  // a server's answer, not a file to open
        const std::string bytes = SavedSample(entry.path(), dir);
        const std::string name = entry.path().filename().string() + ".kmb";
        ASSERT_GT(bytes.size(), FileKmbFileHeader::kSize) << name;
        for (size_t cut = 0; cut < bytes.size(); ++cut) check(bytes.substr(0, cut), name + " cut at " + std::to_string(cut));
        for (int flip = 0; flip < 2000; ++flip) {
            std::string damaged = bytes;
            const size_t at = random() % bytes.size();
            damaged[at] = char(damaged[at] ^ (1 + random() % 255));
            check(damaged, name + " byte " + std::to_string(at) + " changed");
        }
    }
    EXPECT_GT(loaded, 0) << "no damage was harmless";
}

// The first, second, ... allocation of a graph document's load fails in turn until the load
// succeeds: each failed load is the general failure (code 1) or the step that ran out, keeps
// nothing, and leaks nothing (the leak checker runs when the program ends).
TEST(FileKmb, AnAllocationFailingAnywhereInALoadGivesAResult)
{
    QTemporaryDir dir;
    const std::string bytes = SavedSample(std::filesystem::path(ORVEL_SAMPLES_DIR) / "lab-two-days.kmq", dir);
    bool loaded = false;
    int64_t n = 1;
    for (; !loaded && n < 1'000'000; ++n) {
        FileKmb file;
        Result result;
        std::istringstream in(bytes);
        {
            const alloc_probe::FailScope failing(n);
            result = file.Load(in);
            loaded = !failing.Failed();
        }
        if (loaded) {
            EXPECT_TRUE(result.Ok()) << "with every allocation served";
        } else {
            EXPECT_FALSE(result.Ok()) << "allocation " << n;
            EXPECT_TRUE(file.GetRecords().empty()) << "allocation " << n;
        }
    }
    EXPECT_TRUE(loaded);
    EXPECT_GT(n, 100) << "the load made almost no allocations: is the probe linked?";
}

TEST(FileKmb, SaveLoadSaveGivesIdenticalBytes)
{
    QTemporaryDir dir;
    const QString paths[] = {dir.filePath("1.kmb"), dir.filePath("2.kmb"), dir.filePath("3.kmb")};
    // A calculated channel reopens as a GCh copy, and from then on stays one.
    const struct { const char* name; bool compressed, calculated; } rows[] = {
        {"compressed", true, false}, {"plain", false, false}, {"calculated channel", true, true}};
    for (const auto& row : rows) {
        const SampleDocument sample(row.calculated);
        const FileKmb first = sample.SaveAs(paths[0], GraphStateTree(), row.compressed);
        EXPECT_EQ(first.GetHeader().GetTemperatureUnit(), Unit::kFahrenheit);
        const Reopened reopened(paths[0]);
        ASSERT_EQ(reopened.document.GetChannels().size(), sample.document.GetChannels().size()) << row.name;
        for (size_t i = 0; i < reopened.document.GetChannels().size(); ++i)
            ExpectSameAppCh(*sample.document.GetChannels()[i], *reopened.document.GetChannels()[i]);
        EXPECT_EQ(reopened.document.GetMemo(), sample.document.GetMemo());
        EXPECT_EQ(*reopened.graphState, *GraphStateTree());
        const FileKmb second = reopened.SaveAs(paths[1], reopened.graphState, row.compressed);
        if (row.calculated) {
            EXPECT_EQ(first.GetRecords()[2].GetStoredCh()->GetClassName(), "CalcCh");
            EXPECT_EQ(second.GetRecords()[2].GetStoredCh()->GetClassName(), "GCh");
            const Reopened again(paths[1]);
            again.SaveAs(paths[2], again.graphState, row.compressed);
        }
        EXPECT_EQ(ReadAll(paths[row.calculated ? 1 : 0]), ReadAll(paths[row.calculated ? 2 : 1])) << row.name;
    }
}

TEST(FileKmb, GzipBombsAreRefusedWithoutInflatingThemYetAThousandToOneDocumentOpens)
{
    const ChannelBytes body = KmbBody();
    size_t countAt = 0;  // where the stored block's count starts
    while (body.LocAt(countAt).load != 837) ++countAt;
    // Plain bytes, then 1 GiB of zeros as a second gzip member: one stream to the reader.
    const struct { const char* name; uint16_t count; std::string prefix; int32_t location; } rows[] = {
        {"zeros where the record starts", 1, "", 5241},
        {"zeros where the memo starts", 0, "", 5271},
        {"a block that claims 4 GiB", 1, body.Str().substr(0, countAt) + "\xFF\xFF\xFF\x7F\x02", 839},
        {"a graph state that claims 4 GiB", 0,
         "Memo" + std::string(14, '\0') + "GrD" + std::string(9, '\0') + "\xFF\xFF\xFF\xFF", 5424},
    };
    for (const auto& row : rows) {
        const std::string bytes = Header(6, true, row.count, 0) + Gzip(row.prefix) + GzipOfOneGibOfZeros();
        FileKmb file;
        Result result;
        EXPECT_LT(PeakHeapGrowth([&] { result = LoadBytes(file, bytes); }), size_t(100) << 20) << row.name;
        EXPECT_EQ(Of(result), Outcome(ofl::kReadFailed, row.location)) << row.name;
    }

    // 100 million samples of one code: what a bomb looks like, but all there.
    constexpr int32_t kSamples = 100'000'000;
    FileKmb file;
    {
        auto ch = std::make_shared<ofl::GCh>();
        ch->SetChType(13);
        ch->SetInterval(1000);
        ch->SetDataCount(kSamples);
        auto block =
            orvel::test::MakeBlock({"GChRawData", 13, 0, (kSamples - 1) * 1000LL, 0, 0, 1000, kSamples, 2, {}});
        block->GetData().assign(size_t(kSamples) * 2, 0x05);  // every record the code 0x0505
        ch->AddRawData(block);
        FileKmb big;
        big.GetRecords().emplace_back().SetStoredCh(ch);
        big.SetGraphState(GraphStateTree());
        const std::string bytes = SaveBytes(big);
        EXPECT_GT(double(kSamples) * 2 / double(bytes.size()), 900.0);
        ASSERT_TRUE(LoadBytes(file, bytes).Ok());
    }
    const auto& blocks = static_cast<const ofl::GCh&>(*file.GetRecords()[0].GetStoredCh()).RawDataBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0]->GetCount(), kSamples);
    const auto one = orvel::test::MakeBlock({"GChRawData", 13, 0, 0, 0, 0, 1000, 1, 2, {0x05, 0x05}});
    EXPECT_EQ(blocks[0]->GetValue(kSamples - 1), one->GetValue(0));
}

TEST(FileKmb, FailedSaveLeavesThePreviousFileAsItWas)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("saved.kmb");
    const std::string previous = "the previous document";
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(previous.data(), qint64(previous.size())) > 0);
    file.close();
    const FileKmb good = KmbObject();
    // A block one byte short of its count cannot be stored: the save stops in the middle.
    FileKmb broken = KmbObject();
    auto block = StoredGCh()->GetRawData()[0];
    block->GetData().pop_back();
    auto damaged = std::make_shared<ofl::GCh>();
    damaged->AddRawData(block);
    broken.GetRecords()[0].SetStoredCh(damaged);
    // Large enough to go beyond the 64 KiB file size limit below.
    FileKmb large = KmbObject();
    large.GetRecords().emplace_back().SetStoredCh(Recording(u"long", 13, 100'000, 1000));
    const struct { const char* name; const FileKmb& file; QString path; int32_t code, location; } rows[] = {
        {"missing folder", good, dir.filePath("missing/saved.kmb"), ofl::kOpenFailed, 5120},
        {"folder that is a file", good, existing + "/saved.kmb", ofl::kOpenFailed, 5120},
        {"channel that cannot be stored", broken, existing, ofl::kBadBlock, 810},
        {"disk full", large, existing, ofl::kWriteFailed, 0},  // 0: anywhere
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    // As a full disk: writes beyond 64 KiB fail (root ignores folder permissions).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limited);
    for (const auto& row : rows) {
        const Result result = row.file.Save(FsPath(row.path));
        EXPECT_EQ(Of(result), Outcome(row.code, row.location ? row.location : result.location)) << row.name;
        EXPECT_NE(result.location, 0) << row.name;
        EXPECT_EQ(ReadAll(existing), previous) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), before) << row.name;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    // The same save succeeds where it can write, and replaces the file.
    ASSERT_TRUE(large.Save(FsPath(existing)).Ok());
    EXPECT_EQ(ReadAll(existing), SaveBytes(large));
}

// Every record becomes a channel; only a fresh document takes the first loaded document's memo,
// graph state and saved unit, and only then is the user asked about that unit.
// A write call that fails, whichever it is, leaves the previous file byte for byte, nothing
// beside it, and the result names the step that found the failure.
TEST(FileKmb, AFailedWriteCallLeavesThePreviousFileAndNamesTheStep)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.kmb");
    FileKmb large = KmbObject();
    large.GetRecords().emplace_back().SetStoredCh(Recording(u"long", 13, 1'000'000, 1000, 1));
    const std::string previous = "the previous document";
    const auto restore = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(previous.data(), qint64(previous.size())) > 0);
    };
    int calls = 0;
    {
        save_faults::FailingSaveFile counting(path, 0);
        ASSERT_TRUE(large.Save(counting).Ok());
        calls = counting.Calls();
    }
    EXPECT_GT(calls, 2);
    for (int n = 1; n <= calls; ++n) {
        restore();
        save_faults::FailingSaveFile file(path, n);
        const Result result = large.Save(file);
        EXPECT_EQ(ofl::kWriteFailed, result.code) << "call " << n;
        EXPECT_NE(0, result.location) << "call " << n;
        EXPECT_EQ(previous, save_faults::Contents(path)) << "call " << n;
        EXPECT_EQ(QStringList{"kept.kmb"}, QDir(dir.path()).entryList(QDir::Files)) << "call " << n;
    }
}

// Killed at any moment of a save, the program leaves the previous document or the new one,
// whole: 1,000 kills of a child that saves two large documents in turn.
TEST(FileKmb, AKillDuringASaveLeavesTheOldOrTheNewFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.kmb");
    FileKmb documents[2] = {KmbObject(), KmbObject()};
    documents[0].GetRecords().emplace_back().SetStoredCh(Recording(u"first", 13, 200'000, 1000, 1));
    documents[1].GetRecords().emplace_back().SetStoredCh(Recording(u"second", 13, 200'000, 2000, 2));
    const std::string contents[2] = {SaveBytes(documents[0]), SaveBytes(documents[1])};
    save_faults::KillReport report;
    save_faults::KillDuringSaves(path, [&](int k) { (void)documents[k].Save(FsPath(path)); }, contents, 1000, report);
    EXPECT_EQ(1000, report.complete);
    EXPECT_GT(report.interrupted, 100) << "too few kills landed in the middle of a save";
}

TEST(FileKmb, LoaderGivesEveryRecordAndOnlyAFreshDocumentTheStateAndTheUnitQuestion)
{
    QTemporaryDir dir;
    const SampleDocument sample;
    const QString saved = dir.filePath("saved.kmb"), missing = dir.filePath("missing.kmv");
    FileKmb file = sample.SaveAs(saved, GraphStateTree());
    const struct { const char* name; bool fresh; uint8_t unit; QStringList paths; } rows[] = {
        {"fresh document", true, Unit::kFahrenheit, {saved}},
        {"document with channels", false, Unit::kFahrenheit, {saved}},
        {"two documents", true, Unit::kFahrenheit, {saved, saved}},
        // A broken first file: the document is still fresh for the second one.
        {"Celsius after a broken file", true, Unit::kCelsius, {missing, saved}},
        {"Fahrenheit after a broken file", true, Unit::kFahrenheit, {missing, saved}},
        {"no temperature after a broken file", true, Unit::kNoTemperature, {missing, saved}},
        {"Celsius, document with channels", false, Unit::kCelsius, {missing, saved}},
        {"Fahrenheit, document with channels", false, Unit::kFahrenheit, {missing, saved}},
    };
    // Each channel (in the document, file index, index in the file, name, axes), then each file's result.
    using Key = std::tuple<bool, int32_t, int32_t, QString, uint8_t, uint8_t>;
    for (const bool background : {false, true}) {
        for (const auto& row : rows) {
            const std::string name = row.name + std::string(background ? " (background)" : "");
            file.GetHeader().SetTemperatureUnit(row.unit);
            ASSERT_TRUE(file.Save(FsPath(saved)).Ok());
            AppDocument document;
            document.SetTemperatureDisplayType(14);
            const LoaderRun run(document, row.paths, row.fresh, background);
            std::vector<Key> expected, actual;
            for (int32_t f = 0; f < int32_t(row.paths.size()); ++f) {
                for (int32_t k = 0; row.paths[f] == saved && k < 3; ++k) {
                    expected.emplace_back(true, f, k, sample.document.GetChannels()[size_t(k)]->GetDisplayName(),
                                          sample.axes[size_t(k)].timeAxis, sample.axes[size_t(k)].valueAxis);
                }
            }
            for (const auto& info : run.prm.channels) {
                actual.emplace_back(info->appCh->GetDocument() == &document, info->fileIndex, info->chIndex,
                                    info->appCh->GetDisplayName(), info->timeAxis, info->valueAxis);
                const auto k = size_t(info->chIndex);
                if (k < 3) ExpectSameAppCh(*sample.document.GetChannels()[k], *info->appCh);
            }
            for (int32_t f = 0; f < int32_t(row.paths.size()); ++f)
                expected.emplace_back(row.paths[f] == saved, f, -1, QString(), 0, 0);
            for (size_t f = 0; f < run.prm.results.size(); ++f)
                actual.emplace_back(run.prm.results[f].Ok(), int32_t(f), -1, QString(), 0, 0);
            EXPECT_EQ(actual, expected) << name;
            EXPECT_EQ(run.prm.memo, row.fresh ? sample.document.GetMemo() : QString()) << name;
            EXPECT_EQ(bool(run.prm.graphState), row.fresh) << name;
            if (run.prm.graphState) {
                EXPECT_EQ(*run.prm.graphState, *GraphStateTree()) << name;
            }
            EXPECT_EQ(run.prm.savedTemperatureUnit, row.fresh ? row.unit : 0) << name;
            std::vector<std::pair<int32_t, bool>> questions;
            if (row.fresh && row.unit != Unit::kNoTemperature)
                questions.emplace_back(int32_t(row.paths.indexOf(saved)), row.unit == Unit::kCelsius);
            EXPECT_EQ(run.questions, questions) << name;
        }
    }
}

}  // namespace
