#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../filelib/ChannelBytes.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/FileKmb.h"
#include "App/FileLoader.h"
#include "App/PrmScaleExpr.h"
#include "filelib/CalcCh.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/XmlElement.h"
#include "graph/Glyph.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVEL_HEAP_METER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVEL_HEAP_METER 1
#endif
#endif
#ifdef ORVEL_HEAP_METER
// From the AddressSanitizer runtime (not every compiler ships the header).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* p);
}
#endif

using namespace ovgApp;
using OvGraphFileLib::Result;
using orvel::test::ChannelBytes;
using orvel::test::Loc;

namespace {

// ---- fixtures ---------------------------------------------------------------------------------

// A gzip member of the bytes, as any gzip tool writes it.
std::string Gzip(std::string_view bytes, int level = 6)
{
    z_stream zs{};
    deflateInit2(&zs, level, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, uLong(bytes.size())), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    zs.avail_in = uInt(bytes.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

// A gzip member of 1 GiB of zeros (about 1 MB; built once). Deflating 1 GiB takes seconds, so
// one MiB is deflated up to a full flush, which makes its bytes independent of what came before,
// and repeated 1024 times; the trailer holds the CRC-32 and length of the whole.
const std::string& GzipOfOneGibOfZeros()
{
    static const std::string member = [] {
        z_stream zs{};
        deflateInit2(&zs, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
        const std::vector<char> zeros(1 << 20, 0);
        const auto deflateAll = [&zs](const char* bytes, size_t size, int flush) {
            std::string out;
            std::vector<char> piece(1 << 16);
            zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes));
            zs.avail_in = uInt(size);
            do {
                zs.next_out = reinterpret_cast<Bytef*>(piece.data());
                zs.avail_out = uInt(piece.size());
                deflate(&zs, flush);
                out.append(piece.data(), piece.size() - zs.avail_out);
            } while (zs.avail_out == 0);
            return out;
        };
        const std::string mebibyte = deflateAll(zeros.data(), zeros.size(), Z_FULL_FLUSH);
        const std::string last = deflateAll(nullptr, 0, Z_FINISH);
        deflateEnd(&zs);
        uLong crc = crc32(0, nullptr, 0);
        std::string out("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10);
        for (int i = 0; i < 1024; ++i) {
            out += mebibyte;
            crc = crc32(crc, reinterpret_cast<const Bytef*>(zeros.data()), uInt(zeros.size()));
        }
        out += last;
        for (int i = 0; i < 4; ++i) out += char((crc >> (8 * i)) & 0xFF);
        out += std::string("\0\0\0\x40", 4);  // 2^30 bytes
        return out;
    }();
    return member;
}

std::string Header(uint16_t version, bool compressed, uint16_t count, uint8_t unit)
{
    std::string header = "KMB";
    header += char(version & 0xFF), header += char(version >> 8);
    header += char(compressed ? 1 : 0);
    header += char(count & 0xFF), header += char(count >> 8);
    header += char(unit);
    header += std::string(23, '\0');
    return header;
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::shared_ptr<OvGraphFileLib::XmlElement> GraphStateTree()
{
    auto root = std::make_shared<OvGraphFileLib::XmlElement>("graph_state");
    root->SetAttribute("version", "1.00");
    auto& axis = root->Append("axis");
    axis.SetAttribute("id", "20");
    axis.Append("title", "温度 [°C]");
    root->Append("legend").Append("visible", "1");
    return root;
}

// The stored form of the channel that StoredGCh() builds, field by field with the locations of
// the channel's own writer and reader.
void AppendStoredGCh(ChannelBytes& bytes)
{
    bytes.Num(uint8_t(1), {700, 730})
        .Num(uint32_t(0x1234ABCD), {701, 732})
        .Text(u"TR-71", {702, 733})
        .Text(u"", {703, 734})
        .Text(u"倉庫", {704, 735})
        .Text(u"Ch.1", {705, 736})
        .Num(int64_t(60000), {706, 737})
        .Num(int32_t(3), {707, 738})
        .Num(uint16_t(13), {708, 739})
        .Num(int8_t(-1), {709, 740})
        .Num(30.0, {710, 741})
        .Num(-5.0, {711, 742})
        .Num(int64_t(1'700'000'000'000), {712, 743})
        .Num(int64_t(1'700'000'120'000), {713, 744})
        .Num(int64_t(32'400'000), {714, 745})
        .Num(int64_t(0x7FFFFFFFFFFFFFFF), {715, 746})
        .Num(int64_t(0x7FFFFFFFFFFFFFFF), {716, 747})
        .Text(u"", {717, 748})
        .Text(u"", {718, 749})
        .Num(uint16_t(1), {719, 750})
        .Text(u"GChRawData", {720, 751});
    orvel::test::AppendBlock(bytes, {"GChRawData", 13, 1'700'000'000'000, 1'700'000'120'000, 0, 0, 60000, 3, 2,
                                     orvel::test::Codes16({1250, 1261, 1302})});
    bytes.Num(uint8_t(0), {721, 753});
}

std::shared_ptr<OvGraphFileLib::GCh> StoredGCh()
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetSerialNo(0x1234ABCD);
    ch->SetModel(u"TR-71");
    ch->SetLoggerName(u"倉庫");
    ch->SetChName(u"Ch.1");
    ch->SetInterval(60000);
    ch->SetDataCount(3);
    ch->SetChType(13);
    ch->SetUpperLimit(30.0);
    ch->SetLowerLimit(-5.0);
    ch->SetFirstTime(1'700'000'000'000);
    ch->SetLastTime(1'700'000'120'000);
    ch->SetTimeDiff(32'400'000);
    ch->AddRawData(orvel::test::MakeBlock({"GChRawData", 13, 1'700'000'000'000, 1'700'000'120'000, 0, 0, 60000, 3,
                                           2, orvel::test::Codes16({1250, 1261, 1302})}));
    return ch;
}

struct RecordFields {
    uint8_t significantFigures = 5;
    std::u16string className = u"GCh";
};

// The body of a graph document with one record (over StoredGCh), a memo and the graph state,
// byte by byte, each field with the locations the writer and the reader report for it. A reserved
// run is read together with the field after it.
ChannelBytes KmbBody(const RecordFields& r = {})
{
    ChannelBytes b;
    b.Raw(Bytes("ChD"), {5200, 5241})
        .Raw(std::vector<uint8_t>(3, 0), {5201, 5242})
        .Num(r.significantFigures, {5202, 5242})
        .Num(uint8_t(3), {5203, 5243})
        .Num(uint8_t(FileKmbCh::kVisibleInTable), {5204, 5244})
        .Num(uint8_t(10), {5205, 5245})
        .Num(uint8_t(31), {5206, 5246})
        .Raw(std::vector<uint8_t>(5, 0), {5207, 5247})
        .Text(u"倉庫 温度", {5208, 5247})
        .Num(int8_t(2), {5209, 5248})
        .Num(86.0, {5210, 5249})
        .Num(23.0, {5211, 5250})
        .Num(0.0, {5212, 5251})
        .Num(uint8_t(FileKmbCh::kExprApplied | FileKmbCh::kExprTwoPoints), {5213, 5252})
        .Text(u"4", {5214, 5253})
        .Text(u"0", {5215, 5254})
        .Text(u"20", {5216, 5255})
        .Text(u"100", {5217, 5256})
        .Text(u"", {5218, 5257})
        .Text(u"", {5219, 5258})
        .Text(u"kPa", {5220, 5259})
        .Text(u"圧力", {5221, 5260})
        .Text(r.className, {5222, 5261});
    if (r.className == u"GCh") AppendStoredGCh(b);
    b.Raw(Bytes("Memo"), {5230, 5270})
        .Raw(std::vector<uint8_t>(12, 0), {5231, 5272})
        .Text(u"点検済み\r\n2行目", {5232, 5273})
        .Raw(Bytes("GrD"), {5302, 5320})
        .Raw(std::vector<uint8_t>(9, 0), {5303, 5322});
    const std::string xml = OvGraphFileLib::WriteXmlDocument(*GraphStateTree());
    b.Num(uint32_t(xml.size()), {5304, 5423}).Raw(Bytes(xml), {5305, 5424});
    return b;
}

// The same document as our writer holds it.
FileKmb KmbObject(bool compressed)
{
    FileKmb file;
    file.GetHeader().SetCompressed(compressed);
    file.GetHeader().SetTemperatureUnit(FileKmbFileHeader::kFahrenheit);
    FileKmbCh record;
    record.SetTypeOverride(3);
    record.SetFlags(FileKmbCh::kVisibleInTable);
    record.SetAxes(10, 31);
    record.SetName(QStringLiteral("倉庫 温度"));
    record.SetDecimalPlaces(2);
    record.SetLimits(86.0, 23.0);
    auto expr = std::make_shared<PrmScaleExpr>();
    expr->SetInputMode(PrmScaleExpr::kInputTwoPoints);
    expr->SetInputX1(QStringLiteral("4"));
    expr->SetInputY1(QStringLiteral("0"));
    expr->SetInputX2(QStringLiteral("20"));
    expr->SetInputY2(QStringLiteral("100"));
    expr->SetInputSlope({});
    expr->SetInputIntercept({});
    expr->SetUnit(QStringLiteral("kPa"));
    expr->SetName(QStringLiteral("圧力"));
    expr->SetSignificantFigures(5);
    expr->SetApplied(true);
    record.SetScaleExpr(expr);
    record.SetStoredCh(StoredGCh());
    file.GetRecords().push_back(record);
    file.SetMemo(QStringLiteral("点検済み\r\n2行目"));
    file.SetGraphState(GraphStateTree());
    return file;
}

std::string KmbFile(uint16_t version, bool compressed, const ChannelBytes& body, uint16_t count = 1)
{
    return Header(version, compressed, count, FileKmbFileHeader::kFahrenheit) + (compressed ? Gzip(body.Str()) : body.Str());
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
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

// A recording of `count` 16-bit codes (0.1 °C steps) at one-minute intervals.
std::shared_ptr<OvGraphFileLib::GCh> Recording(const std::u16string& name, uint16_t type, int32_t count, uint16_t base)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetLoggerName(u"Logger");
    ch->SetChName(name);
    ch->SetChType(type);
    ch->SetInterval(60000);
    ch->SetDataCount(count);
    ch->SetFirstTime(1'700'000'000'000);
    ch->SetLastTime(1'700'000'000'000 + int64_t(count - 1) * 60000);
    ch->SetTimeDiff(32'400'000);
    auto block = std::make_shared<OvGraphFileLib::GChRawData>();
    block->SetChType(type);
    block->SetInterval(60000);
    block->SetCount(count);
    block->SetFirstTime(ch->GetFirstTime());
    block->SetLastTime(ch->GetLastTime());
    for (int32_t i = 0; i < count; ++i) {
        const uint16_t code = uint16_t(base + i % 50);
        block->GetData().insert(block->GetData().end(), {uint8_t(code), uint8_t(code >> 8)});
    }
    ch->AddRawData(block);
    return ch;
}

// A document as a user leaves it: a Celsius recording shown in Fahrenheit with limits, hidden in
// the graph and listed in the table; a channel with a two-point expression and a type override;
// one with a slope-and-intercept expression; the memo.
struct SampleDocument {
    AppDocument document;
    std::vector<FileKmb::AxisIds> axes;

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
        auto twoPoints = std::make_shared<PrmScaleExpr>();
        twoPoints->SetInputMode(PrmScaleExpr::kInputTwoPoints);
        twoPoints->SetInputX1(QStringLiteral("4"));
        twoPoints->SetInputY1(QStringLiteral("0"));
        twoPoints->SetInputX2(QStringLiteral("20"));
        twoPoints->SetInputY2(QStringLiteral("100"));
        twoPoints->SetUnit(QStringLiteral("kPa"));
        twoPoints->SetName(QStringLiteral("圧力"));
        twoPoints->SetSignificantFigures(6);
        twoPoints->ComputeCoefficients();
        twoPoints->SetApplied(true);
        current->SetScaleExpr(twoPoints);
        current->SetTypeOverride(true, 12);

        std::shared_ptr<OvGraphFileLib::ICh> third = Recording(u"湿度", 209, 80, 500);
        if (calculated) {
            auto calc = std::make_shared<OvGraphFileLib::CalcCh>();
            calc->SetRawData(third->GetRawData());
            third = calc;
        }
        auto humidity = std::make_shared<AppCh>(&document, third);
        document.AddChannel(humidity);
        auto slope = std::make_shared<PrmScaleExpr>();
        slope->SetInputSlope(QStringLiteral("0.5"));
        slope->SetInputIntercept(QStringLiteral("-2"));
        slope->SetUnit(QStringLiteral("g/m3"));
        slope->ComputeCoefficients();
        slope->SetApplied(true);
        humidity->SetScaleExpr(slope);

        document.SetMemo(QStringLiteral("点検済み\n温度は華氏"));
        axes = {{10, 20}, {10, 30}, {11, 21}};
    }

    FileKmb::AxisIdsOf AxisIdsOf() const
    {
        return [this](const AppCh& ch) { return axes[size_t(document.IndexOf(&ch))]; };
    }
};

// Reopens a saved document the way the loader does, into a new document showing `unit`.
struct Reopened {
    AppDocument document;
    std::vector<FileKmb::AxisIds> axes;
    std::shared_ptr<OvGraphFileLib::XmlElement> graphState;

    Reopened(const QString& path, int32_t unit)
    {
        document.SetTemperatureDisplayType(unit);
        FileKmb file;
        const Result result = file.Load(FsPath(path));
        EXPECT_TRUE(result.Ok()) << result.code << " at " << result.location;
        for (FileKmbCh& record : file.GetRecords()) {
            axes.push_back({record.GetTimeAxis(), record.GetValueAxis()});
            document.AddChannel(record.CreateAppCh(&document));
        }
        document.SetMemo(file.GetMemo());
        graphState = file.GetGraphState();
    }

    FileKmb::AxisIdsOf AxisIdsOf() const
    {
        return [this](const AppCh& ch) { return axes[size_t(document.IndexOf(&ch))]; };
    }
};

void ExpectSameAppCh(const AppCh& expected, const AppCh& actual)
{
    EXPECT_EQ(expected.GetDisplayName(), actual.GetDisplayName());
    EXPECT_EQ(expected.IsVisible(), actual.IsVisible());
    EXPECT_EQ(expected.IsVisibleInTable(), actual.IsVisibleInTable());
    EXPECT_EQ(expected.GetDecimalPlaces(), actual.GetDecimalPlaces());
    EXPECT_EQ(expected.GetUpperLimit(), actual.GetUpperLimit());
    EXPECT_EQ(expected.GetLowerLimit(), actual.GetLowerLimit());
    EXPECT_EQ(expected.IsOverrideActive(), actual.IsOverrideActive());
    EXPECT_EQ(expected.GetOverrideCode(), actual.GetOverrideCode());
    EXPECT_EQ(expected.GetUnitText(), actual.GetUnitText());
    ASSERT_EQ(expected.HasOwnScaleExpr(), actual.HasOwnScaleExpr());
    const PrmScaleExpr& a = *expected.GetScaleExpr();
    const PrmScaleExpr& b = *actual.GetScaleExpr();
    if (expected.HasOwnScaleExpr()) {
        EXPECT_EQ(a.GetSlope(), b.GetSlope());
        EXPECT_EQ(a.GetIntercept(), b.GetIntercept());
        EXPECT_EQ(a.GetName(), b.GetName());
        EXPECT_EQ(a.GetInputMode(), b.GetInputMode());
        EXPECT_EQ(a.GetSignificantFigures(), b.GetSignificantFigures());
        EXPECT_EQ(a.GetInputX2(), b.GetInputX2());
        EXPECT_EQ(a.GetInputSlope(), b.GetInputSlope());
    }
    ASSERT_EQ(expected.GetPoints().Size(), actual.GetPoints().Size());
    for (size_t i = 0; i < expected.GetPoints().Size(); i += 7) {
        EXPECT_EQ(expected.GetPoints().X(i), actual.GetPoints().X(i)) << i;
        EXPECT_EQ(expected.GetPoints().Y(i), actual.GetPoints().Y(i)) << i;
    }
    orvel::test::ExpectSameChannel(expected.GetFileCh(), actual.GetFileCh());
}

// Peak heap growth while it lives (AddressSanitizer builds only; elsewhere it reports -1).
class HeapMeter {
public:
    HeapMeter()
    {
#ifdef ORVEL_HEAP_METER
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
        (void)installed;
        s_current = 0;
        s_peak = 0;
        s_on = true;
#endif
    }
    ~HeapMeter() { s_on = false; }
    int64_t Peak() const
    {
#ifdef ORVEL_HEAP_METER
        return s_peak;
#else
        return -1;
#endif
    }

private:
#ifdef ORVEL_HEAP_METER
    static void OnMalloc(const volatile void*, size_t size)
    {
        if (!s_on) return;
        const int64_t now = s_current += int64_t(size);
        int64_t peak = s_peak;
        while (now > peak && !s_peak.compare_exchange_weak(peak, now)) {
        }
    }
    static void OnFree(const volatile void* p)
    {
        if (s_on) s_current -= int64_t(__sanitizer_get_allocated_size(p));
    }
#endif
    static inline std::atomic<bool> s_on{false};
    static inline std::atomic<int64_t> s_current{0};
    static inline std::atomic<int64_t> s_peak{0};
};

// Records the loader's reports.
class Listener : public FileLoader::Callbacks {
public:
    bool fresh = false;
    std::vector<std::pair<int32_t, bool>> questions;  // file index, saved in Celsius
    int32_t finishes = 0;
    QEventLoop* loop = nullptr;

    bool IsDocumentFresh() override { return fresh; }
    bool AskTemperatureUnit(int32_t fileIndex, bool savedInCelsius) override
    {
        questions.emplace_back(fileIndex, savedInCelsius);
        return false;
    }
    void OnFinish() override
    {
        ++finishes;
        if (loop) loop->quit();
    }
};

void LoadInBackground(FileLoader::Prm& prm, Listener& listener)
{
    std::shared_ptr<FileLoader::Prm> shared(&prm, [](FileLoader::Prm*) {});
    FileLoader loader;
    QEventLoop loop;
    listener.loop = &loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    ASSERT_TRUE(loader.Start(shared, &listener));
    loop.exec();
    listener.loop = nullptr;
    ASSERT_EQ(listener.finishes, 1) << "the load did not finish in time";
}

// ---- tests ------------------------------------------------------------------------------------

TEST(FileKmb, WriterLaysOutEveryFieldWhereTheReaderFindsIt)
{
    const ChannelBytes body = KmbBody();
    const std::string expected = Header(6, false, 1, FileKmbFileHeader::kFahrenheit) + body.Str();
    EXPECT_EQ(SaveBytes(KmbObject(false)), expected);

    // The compressed body inflates to the same bytes.
    const std::string compressed = SaveBytes(KmbObject(true));
    ASSERT_GT(compressed.size(), 32u);
    EXPECT_EQ(compressed.substr(0, 32), Header(6, true, 1, FileKmbFileHeader::kFahrenheit));
    std::string inflated(body.Size() + 16, '\0');
    uLongf size = uLongf(inflated.size());
    z_stream zs{};
    inflateInit2(&zs, 15 + 16);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data() + 32));
    zs.avail_in = uInt(compressed.size() - 32);
    zs.next_out = reinterpret_cast<Bytef*>(inflated.data());
    zs.avail_out = uInt(size);
    EXPECT_EQ(inflate(&zs, Z_FINISH), Z_STREAM_END);
    inflated.resize(zs.total_out);
    inflateEnd(&zs);
    EXPECT_EQ(inflated, body.Str());
}

TEST(FileKmb, VersionsUpToSixReadAlikeAndNewerOnesAreRefused)
{
    const struct {
        uint16_t version;
        int32_t code;
        int32_t location;
    } rows[] = {
        {0, 0, 0}, {1, 0, 0}, {5, 0, 0}, {6, 0, 0}, {7, OvGraphFileLib::kNewerVersion, 5112}, {0xFFFF, OvGraphFileLib::kNewerVersion, 5112},
    };
    for (const bool compressed : {false, true}) {
        for (const auto& row : rows) {
            FileKmb file;
            const Result result = LoadBytes(file, KmbFile(row.version, compressed, KmbBody()));
            EXPECT_EQ(result.code, row.code) << row.version << (compressed ? " compressed" : "");
            EXPECT_EQ(result.location, row.location) << row.version;
            if (row.code != 0) {
                EXPECT_TRUE(file.GetRecords().empty());
                continue;
            }
            ASSERT_EQ(file.GetRecords().size(), 1u);
            const FileKmbCh& record = file.GetRecords()[0];
            EXPECT_EQ(record.GetName(), QStringLiteral("倉庫 温度"));
            EXPECT_EQ(record.GetFlags(), FileKmbCh::kVisibleInTable);
            EXPECT_EQ(record.GetTimeAxis(), 10);
            EXPECT_EQ(record.GetValueAxis(), 31);
            EXPECT_EQ(record.GetTypeOverride(), 3);
            EXPECT_EQ(record.GetDecimalPlaces(), 2);
            EXPECT_EQ(record.GetUpperLimit(), 86.0);
            EXPECT_EQ(record.GetLowerLimit(), 23.0);
            EXPECT_TRUE(record.GetScaleExpr()->IsApplied());
            EXPECT_TRUE(record.GetScaleExpr()->IsTwoPointInput());
            EXPECT_EQ(record.GetScaleExpr()->GetInputY2(), QStringLiteral("100"));
            EXPECT_EQ(record.GetScaleExpr()->GetName(), QStringLiteral("圧力"));
            ASSERT_TRUE(record.GetStoredCh());
            orvel::test::ExpectSameChannel(*StoredGCh(), *record.GetStoredCh());
            EXPECT_EQ(file.GetMemo(), QStringLiteral("点検済み\r\n2行目"));
            ASSERT_TRUE(file.GetGraphState());
            EXPECT_EQ(*file.GetGraphState(), *GraphStateTree());
            EXPECT_EQ(file.GetHeader().GetTemperatureUnit(), FileKmbFileHeader::kFahrenheit);
        }
    }
}

TEST(FileKmb, BrokenHeadersAndUnknownClassesAreRefused)
{
    const std::string body = KmbBody().Str();
    const std::string good = Header(6, false, 1, 1) + body;
    std::string magic = good;
    magic[2] = 'C';
    const struct {
        const char* name;
        std::string bytes;
        int32_t code;
        int32_t location;
    } rows[] = {
        {"empty file", "", OvGraphFileLib::kReadFailed, 5110},
        {"31-byte header", good.substr(0, 31), OvGraphFileLib::kReadFailed, 5110},
        {"magic KMC", magic, OvGraphFileLib::kUnsupportedFile, 5111},
        {"unknown stored class", Header(6, false, 1, 1) + KmbBody({5, u"NoSuchCh"}).Str(), OvGraphFileLib::kUnsupportedFile, 5262},
        {"class that does not store itself", Header(6, true, 1, 1) + Gzip(KmbBody({5, u"FileKn1Ch"}).Str()),
         OvGraphFileLib::kUnsupportedFile, 5262},
        {"record tag", Header(6, false, 1, 1) + "ChX" + body.substr(3), OvGraphFileLib::kReadFailed, 5241},
        {"more records than the body holds", Header(6, false, 2, 1) + body, OvGraphFileLib::kReadFailed, 5241},
        {"body that is not gzip", Header(6, true, 1, 1) + body, OvGraphFileLib::kReadFailed, 5241},
    };
    for (const auto& row : rows) {
        FileKmb file;
        const Result result = LoadBytes(file, row.bytes);
        EXPECT_EQ(result.code, row.code) << row.name;
        EXPECT_EQ(result.location, row.location) << row.name;
        EXPECT_TRUE(file.GetRecords().empty()) << row.name;
    }
}

TEST(FileKmb, SignificantFiguresOutsideOneToEightLoadAsNine)
{
    const struct {
        uint8_t stored;
        int expected;
    } rows[] = {{0, 9}, {1, 1}, {5, 5}, {8, 8}, {9, 9}, {12, 9}, {255, 9}};
    for (const auto& row : rows) {
        FileKmb file;
        ASSERT_TRUE(LoadBytes(file, KmbFile(6, false, KmbBody({row.stored}))).Ok()) << int(row.stored);
        EXPECT_EQ(file.GetRecords()[0].GetScaleExpr()->GetSignificantFigures(), row.expected) << int(row.stored);
    }
}

TEST(FileKmb, EveryCutNamesTheFieldBeingReadPlainOrCompressed)
{
    const ChannelBytes body = KmbBody();
    const std::string header = Header(6, false, 1, 1);
    for (size_t cut = 0; cut < header.size() + body.Size(); ++cut) {
        const int32_t location = cut < header.size() ? 5110 : body.LocAt(cut - header.size()).load;
        FileKmb plain;
        const Result r = LoadBytes(plain, (header + body.Str()).substr(0, cut));
        EXPECT_EQ(r.code, OvGraphFileLib::kReadFailed) << "cut at " << cut;
        EXPECT_EQ(r.location, location) << "cut at " << cut;
        if (cut < header.size()) continue;
        // The same body cut short, then compressed: the gzip stream ends cleanly but early.
        FileKmb compressed;
        const Result c = LoadBytes(compressed, Header(6, true, 1, 1) + Gzip(body.Str().substr(0, cut - header.size())));
        EXPECT_EQ(c.code, OvGraphFileLib::kReadFailed) << "compressed, cut at " << cut;
        EXPECT_EQ(c.location, location) << "compressed, cut at " << cut;
    }

    // The gzip stream itself cut short or damaged.
    const std::string whole = KmbFile(6, true, body);
    std::string badCheck = whole;
    badCheck[badCheck.size() - 6] ^= 0x55;  // the CRC-32 in the trailer
    const struct {
        const char* name;
        std::string bytes;
        int32_t location;  // 0: any
    } rows[] = {
        {"trailer cut", whole.substr(0, whole.size() - 4), 5430},
        {"last byte cut", whole.substr(0, whole.size() - 1), 5430},
        {"bad check value", badCheck, 5430},
        {"cut in the middle", whole.substr(0, 32 + (whole.size() - 32) / 2), 0},
        {"cut after the gzip header", whole.substr(0, 32 + 10), 5241},
    };
    for (const auto& row : rows) {
        FileKmb file;
        const Result r = LoadBytes(file, row.bytes);
        EXPECT_EQ(r.code, OvGraphFileLib::kReadFailed) << row.name;
        if (row.location != 0) {
            EXPECT_EQ(r.location, row.location) << row.name;
        }
        EXPECT_NE(r.location, 0) << row.name;
    }
    // Another gzip member after the body, or bytes that do not start one, change nothing.
    for (const std::string& trailing : {Gzip("more"), std::string("\0\0\0\0", 4)}) {
        FileKmb file;
        EXPECT_TRUE(LoadBytes(file, whole + trailing).Ok());
    }
}

TEST(FileKmb, EveryFullDeviceNamesTheFieldBeingWritten)
{
    const ChannelBytes body = KmbBody();
    const FileKmb plain = KmbObject(false);
    // The header and the body's fields, as one table.
    for (size_t limit = 0; limit < 32 + body.Size(); ++limit) {
        orvel::test::LimitedBuf device(limit);
        std::ostream out(&device);
        const Result r = plain.Save(out);
        EXPECT_EQ(r.code, OvGraphFileLib::kWriteFailed) << "limit " << limit;
        EXPECT_EQ(r.location, limit < 32 ? 5100 : body.LocAt(limit - 32).save) << "limit " << limit;
    }
    // A compressed body reaches the device in pieces: the failure shows where zlib handed it over.
    orvel::test::LimitedBuf device(40);
    std::ostream out(&device);
    const Result r = KmbObject(true).Save(out);
    EXPECT_EQ(r.code, OvGraphFileLib::kWriteFailed);
    EXPECT_EQ(r.location, 5101);
}

// Damaged files: whatever the reader makes of them is a Result, and what loads also reopens as
// channels and saves again.
TEST(FileKmb, RandomDamageGivesResultsNeverCrashes)
{
    std::mt19937 random(20240611);
    for (const bool compressed : {false, true}) {
        const std::string good = KmbFile(6, compressed, KmbBody());
        int loaded = 0;
        for (int round = 0; round < 400; ++round) {
            std::string bytes = good;
            const int flips = 1 + int(random() % 4);
            for (int k = 0; k < flips; ++k) bytes[random() % bytes.size()] = char(random());
            if (round % 5 == 0) bytes.resize(random() % bytes.size());
            FileKmb file;
            const Result result = LoadBytes(file, bytes);
            if (!result.Ok()) {
                EXPECT_NE(result.location, 0) << "round " << round;
                continue;
            }
            ++loaded;
            std::ostringstream out;
            (void)file.Save(out);
            AppDocument document;
            for (FileKmbCh& record : file.GetRecords()) document.AddChannel(record.CreateAppCh(&document));
        }
        EXPECT_GT(loaded, 0) << "no damage was harmless";
    }
}

TEST(FileKmb, SaveLoadSaveGivesIdenticalBytes)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        bool compressed;
        bool calculated;  // a channel of a class that the document reopens as a GCh copy
    } rows[] = {{"compressed", true, false}, {"plain", false, false}, {"calculated channel", true, true}};
    for (const auto& row : rows) {
        SampleDocument sample(row.calculated);
        const auto tree = GraphStateTree();
        FileKmb first;
        ASSERT_TRUE(first.FromDocument(sample.document, tree, sample.AxisIdsOf(), row.compressed).Ok());
        const QString firstPath = dir.filePath(QStringLiteral("first.kmb"));
        ASSERT_TRUE(first.Save(FsPath(firstPath)).Ok()) << row.name;
        EXPECT_EQ(first.GetHeader().GetTemperatureUnit(), FileKmbFileHeader::kFahrenheit);

        Reopened reopened(firstPath, 14);
        ASSERT_EQ(reopened.document.GetChannels().size(), sample.document.GetChannels().size());
        for (size_t i = 0; i < reopened.document.GetChannels().size(); ++i)
            ExpectSameAppCh(*sample.document.GetChannels()[i], *reopened.document.GetChannels()[i]);
        EXPECT_EQ(reopened.document.GetMemo(), sample.document.GetMemo());
        EXPECT_EQ(*reopened.graphState, *tree);

        FileKmb second;
        ASSERT_TRUE(second.FromDocument(reopened.document, reopened.graphState, reopened.AxisIdsOf(), row.compressed).Ok());
        const QString secondPath = dir.filePath(QStringLiteral("second.kmb"));
        ASSERT_TRUE(second.Save(FsPath(secondPath)).Ok());
        if (!row.calculated) {
            EXPECT_EQ(ReadAll(firstPath), ReadAll(secondPath)) << row.name;
            continue;
        }
        // The calculated channel came back as an editable GCh copy; from then on it stays one.
        Reopened again(secondPath, 14);
        FileKmb third;
        ASSERT_TRUE(third.FromDocument(again.document, again.graphState, again.AxisIdsOf(), row.compressed).Ok());
        const QString thirdPath = dir.filePath(QStringLiteral("third.kmb"));
        ASSERT_TRUE(third.Save(FsPath(thirdPath)).Ok());
        EXPECT_EQ(ReadAll(secondPath), ReadAll(thirdPath));
        EXPECT_EQ(first.GetRecords()[2].GetStoredCh()->GetClassName(), "CalcCh");
        EXPECT_EQ(second.GetRecords()[2].GetStoredCh()->GetClassName(), "GCh");
    }
}

TEST(FileKmb, DocumentWithoutChannelsHasHeaderMemoAndGraphStateOnly)
{
    AppDocument document;
    const auto tree = GraphStateTree();
    FileKmb file;
    ASSERT_TRUE(file.FromDocument(document, tree, FileKmb::AxisIdsOf{}, false).Ok());
    const std::string bytes = SaveBytes(file);
    const std::string xml = OvGraphFileLib::WriteXmlDocument(*tree);
    std::string expected = Header(6, false, 0, 0) + "Memo" + std::string(12, '\0') + std::string(2, '\0') + "GrD" +
                           std::string(9, '\0');
    expected += char(xml.size() & 0xFF), expected += char((xml.size() >> 8) & 0xFF), expected += std::string(2, '\0');
    EXPECT_EQ(bytes, expected + xml);

    for (const bool compressed : {false, true}) {
        FileKmb source;
        ASSERT_TRUE(source.FromDocument(document, tree, FileKmb::AxisIdsOf{}, compressed).Ok());
        FileKmb loaded;
        ASSERT_TRUE(LoadBytes(loaded, SaveBytes(source)).Ok());
        EXPECT_TRUE(loaded.GetRecords().empty());
        EXPECT_TRUE(loaded.GetMemo().isEmpty());
        EXPECT_EQ(*loaded.GetGraphState(), *tree);
    }
    // No tree to save: nothing is built.
    EXPECT_EQ(file.FromDocument(document, nullptr, FileKmb::AxisIdsOf{}).location, 5504);
}

TEST(FileKmb, GzipBombsAreRefusedWithoutInflatingThem)
{
    // Bytes of a record up to the stored channel's block, whose count claims 4 GiB of records.
    ChannelBytes hugeBlock;
    {
        ChannelBytes body = KmbBody();
        const std::string all = body.Str();
        // Everything up to the block's count field: the block's count is at the same place in the
        // stored form as in StoredGCh's, after the class name "GChRawData".
        const size_t classAt = all.find(std::string("G\0C\0h\0R\0a\0w\0", 12));
        ASSERT_NE(classAt, std::string::npos);
        const size_t countAt = classAt + 20 + 1 + 4 + 8 + 8 + 4 + 4 + 8;
        hugeBlock.Raw(Bytes(all.substr(0, countAt)), {0, 0}).Num(int32_t(0x7FFFFFFF), {0, 0}).Num(uint8_t(2), {0, 0});
    }
    ChannelBytes hugeGraphState;
    hugeGraphState.Raw(Bytes("Memo"), {0, 0}).Raw(std::vector<uint8_t>(14, 0), {0, 0}).Raw(Bytes("GrD"), {0, 0});
    hugeGraphState.Raw(std::vector<uint8_t>(9, 0), {0, 0}).Num(uint32_t(0xFFFFFFFF), {0, 0});

    const struct {
        const char* name;
        uint16_t count;
        std::string prefix;  // plain bytes in front of the zeros
        int32_t location;
    } rows[] = {
        {"zeros where the record starts", 1, "", 5241},
        {"zeros where the memo starts", 0, "", 5271},
        {"a block that claims 4 GiB", 1, hugeBlock.Str(), 839},
        {"a graph state that claims 4 GiB", 0, hugeGraphState.Str(), 5424},
    };
    for (const auto& row : rows) {
        // The zeros as a second gzip member: one stream to the reader.
        const std::string bytes = Header(6, true, row.count, 0) + Gzip(row.prefix) + GzipOfOneGibOfZeros();
        HeapMeter meter;
        FileKmb file;
        const Result result = LoadBytes(file, bytes);
        EXPECT_EQ(result.code, OvGraphFileLib::kReadFailed) << row.name;
        EXPECT_EQ(result.location, row.location) << row.name;
        EXPECT_LT(meter.Peak(), int64_t(100) << 20) << row.name;
    }
}

TEST(FileKmb, DocumentThatCompressesAThousandToOneStillOpens)
{
    constexpr int32_t kSamples = 100'000'000;
    std::string bytes;
    {
        auto ch = std::make_shared<OvGraphFileLib::GCh>();
        ch->SetChType(13);
        ch->SetInterval(1000);
        ch->SetDataCount(kSamples);
        auto block = std::make_shared<OvGraphFileLib::GChRawData>();
        block->SetChType(13);
        block->SetInterval(1000);
        block->SetCount(kSamples);
        block->SetFirstTime(0);
        block->SetLastTime(int64_t(kSamples - 1) * 1000);
        block->GetData().assign(size_t(kSamples) * 2, 0x05);  // every record the code 0x0505
        ch->AddRawData(block);
        FileKmb file;
        FileKmbCh record;
        record.SetStoredCh(ch);
        file.GetRecords().push_back(record);
        file.SetGraphState(GraphStateTree());
        bytes = SaveBytes(file);
    }
    EXPECT_GT(double(kSamples) * 2 / double(bytes.size()), 900.0);
    FileKmb loaded;
    const Result result = LoadBytes(loaded, bytes);
    ASSERT_TRUE(result.Ok()) << result.code << " at " << result.location;
    const auto& stored = static_cast<const OvGraphFileLib::GCh&>(*loaded.GetRecords()[0].GetStoredCh());
    ASSERT_EQ(stored.RawDataBlocks().size(), 1u);
    EXPECT_EQ(stored.RawDataBlocks()[0]->GetCount(), kSamples);
    auto one = std::make_shared<OvGraphFileLib::GChRawData>();
    one->SetChType(13);
    one->SetCount(1);
    one->GetData() = {0x05, 0x05};
    EXPECT_EQ(stored.RawDataBlocks()[0]->GetValue(kSamples - 1), one->GetValue(0));
}

TEST(FileKmb, FailedSaveLeavesThePreviousFileAsItWas)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("plain-file"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a folder");
    }
    const QString existing = dir.filePath(QStringLiteral("saved.kmb"));
    const std::string previous = "the previous document";
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(previous.data(), qint64(previous.size()));
    }

    SampleDocument sample;
    FileKmb good;
    ASSERT_TRUE(good.FromDocument(sample.document, GraphStateTree(), sample.AxisIdsOf(), false).Ok());
    // A block one byte short of its count cannot be stored: the save stops in the middle.
    FileKmb broken = good;
    auto block = StoredGCh()->GetRawData()[0];
    block->GetData().pop_back();
    auto damaged = std::make_shared<OvGraphFileLib::GCh>();
    damaged->AddRawData(block);
    broken.GetRecords()[1].SetStoredCh(damaged);
    // Large enough to go beyond a 64 KiB file size limit.
    FileKmb large = good;
    FileKmbCh big;
    big.SetStoredCh(Recording(u"long", 13, 100'000, 1000));
    large.GetRecords().push_back(big);

    const struct {
        const char* name;
        const FileKmb& file;
        QString path;
        bool fileSizeLimit;  // as a full disk: writes beyond 64 KiB fail (root ignores folder permissions)
        int32_t code;
        int32_t location;  // 0: any
    } rows[] = {
        {"missing folder", good, dir.filePath(QStringLiteral("missing/saved.kmb")), false, OvGraphFileLib::kOpenFailed, 5120},
        {"folder that is a file", good, blocker + QStringLiteral("/saved.kmb"), false, OvGraphFileLib::kOpenFailed, 5120},
        {"channel that cannot be stored", broken, existing, false, OvGraphFileLib::kBadBlock, 810},
        {"disk full", large, existing, true, OvGraphFileLib::kWriteFailed, 0},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const auto& row : rows) {
        rlimit saved{};
        if (row.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = 64 * 1024;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        const Result result = row.file.Save(FsPath(row.path));
        if (row.fileSizeLimit) setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(result.code, row.code) << row.name;
        if (row.location != 0) {
            EXPECT_EQ(result.location, row.location) << row.name;
        }
        EXPECT_NE(result.location, 0) << row.name;
        EXPECT_EQ(ReadAll(existing), previous) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), before) << row.name;
    }
    // The same save succeeds where it can write, and replaces the file.
    ASSERT_TRUE(large.Save(FsPath(existing)).Ok());
    EXPECT_EQ(ReadAll(existing), SaveBytes(large));
}

TEST(FileKmb, LoaderRestoresChannelsAndOnlyTheFirstDocumentsState)
{
    QTemporaryDir dir;
    SampleDocument sample;
    const auto tree = GraphStateTree();
    FileKmb file;
    ASSERT_TRUE(file.FromDocument(sample.document, tree, sample.AxisIdsOf()).Ok());
    const QString path = dir.filePath(QStringLiteral("saved.kmb"));
    ASSERT_TRUE(file.Save(FsPath(path)).Ok());

    const struct {
        const char* name;
        bool fresh;
        int copies;
        bool restoresState;
    } rows[] = {{"fresh document", true, 1, true}, {"document with channels", false, 1, false}, {"two documents", true, 2, true}};
    for (const auto& row : rows) {
        AppDocument document;
        document.SetTemperatureDisplayType(14);
        FileLoader::Prm prm;
        for (int i = 0; i < row.copies; ++i) prm.paths << path;
        prm.document = &document;
        Listener listener;
        listener.fresh = row.fresh;
        FileLoader::Load(prm, &listener);
        ASSERT_EQ(prm.results.size(), size_t(row.copies)) << row.name;
        for (const Result& result : prm.results) EXPECT_TRUE(result.Ok()) << row.name << ": " << result.code << " at " << result.location;
        const size_t perFile = sample.document.GetChannels().size();
        ASSERT_EQ(prm.channels.size(), perFile * size_t(row.copies)) << row.name;
        for (size_t i = 0; i < prm.channels.size(); ++i) {
            const FileLoader::AppChInfo& info = *prm.channels[i];
            EXPECT_EQ(info.fileIndex, int32_t(i / perFile));
            EXPECT_EQ(info.chIndex, int32_t(i % perFile));
            EXPECT_EQ(info.timeAxis, sample.axes[i % perFile].timeAxis) << i;
            EXPECT_EQ(info.valueAxis, sample.axes[i % perFile].valueAxis) << i;
            ExpectSameAppCh(*sample.document.GetChannels()[i % perFile], *info.appCh);
            EXPECT_EQ(info.appCh->GetDocument(), &document);
        }
        if (row.restoresState) {
            EXPECT_EQ(prm.memo, sample.document.GetMemo()) << row.name;
            ASSERT_TRUE(prm.graphState) << row.name;
            EXPECT_EQ(*prm.graphState, *tree) << row.name;
            EXPECT_EQ(prm.savedTemperatureUnit, FileKmbFileHeader::kFahrenheit) << row.name;
        } else {
            EXPECT_TRUE(prm.memo.isEmpty()) << row.name;
            EXPECT_FALSE(prm.graphState) << row.name;
            EXPECT_EQ(prm.savedTemperatureUnit, 0) << row.name;
        }
    }
}

TEST(FileKmb, TemperatureQuestionOnlyForAFreshDocumentSavedWithAUnit)
{
    QTemporaryDir dir;
    SampleDocument sample;
    FileKmb file;
    ASSERT_TRUE(file.FromDocument(sample.document, GraphStateTree(), sample.AxisIdsOf()).Ok());
    const struct {
        bool fresh;
        uint8_t unit;
        bool asked;
        bool celsius;
    } rows[] = {
        {true, FileKmbFileHeader::kCelsius, true, true},  {true, FileKmbFileHeader::kFahrenheit, true, false},
        {true, FileKmbFileHeader::kNoTemperature, false, false}, {false, FileKmbFileHeader::kCelsius, false, false},
        {false, FileKmbFileHeader::kFahrenheit, false, false},
    };
    for (const bool background : {false, true}) {
        for (const auto& row : rows) {
            file.GetHeader().SetTemperatureUnit(row.unit);
            const QString path = dir.filePath(QStringLiteral("unit.kmb"));
            ASSERT_TRUE(file.Save(FsPath(path)).Ok());
            AppDocument document;
            FileLoader::Prm prm;
            // A broken first file: the document is still fresh for the second one.
            prm.paths = {dir.filePath(QStringLiteral("missing.kmv")), path};
            prm.document = &document;
            Listener listener;
            listener.fresh = row.fresh;
            if (background)
                LoadInBackground(prm, listener);
            else
                FileLoader::Load(prm, &listener);
            std::vector<std::pair<int32_t, bool>> expected;
            if (row.asked) expected.emplace_back(1, row.celsius);
            EXPECT_EQ(listener.questions, expected) << "fresh " << row.fresh << " unit " << int(row.unit) << (background ? " background" : "");
            EXPECT_EQ(prm.channels.size(), sample.document.GetChannels().size());
        }
    }
}

}  // namespace
