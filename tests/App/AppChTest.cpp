#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/PrmScaleExpr.h"
#include "filelib/ChConstants.h"
#include "filelib/FileKmqChRawData.h"
#include "filelib/FileKmv.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/Stuff.h"
#include "fixtures/KmvBuilder.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"

using namespace ovgApp;
using OvGraphFileLib::INVALID_VALUE;

namespace {

constexpr int64_t kStart = 1'780'000'000'000;  // ms

// A file channel of one fixed-interval block of doubles.
std::shared_ptr<OvGraphFileLib::GCh> FileChannel(uint16_t type, std::vector<double> values, int64_t intervalMs = 60000,
                                                 int64_t timeDiff = OvGraphFileLib::NOT_GIVEN)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(type);
    ch->SetLoggerName(u"Logger");
    ch->SetChName(u"Ch.1");
    ch->SetInterval(intervalMs);
    ch->SetTimeDiff(timeDiff);
    ch->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(type, kStart, intervalMs, values));
    ch->SetDataCount(int32_t(values.size()));
    return ch;
}

}  // namespace

TEST(AppCh, LocalTimeFromTimeDifferenceOrComputerBias)
{
    const struct {
        int64_t timeDiff;
        int32_t computerBias;  // minutes, UTC minus local
        double firstX;
    } rows[] = {
        {32400000, 0, kStart / 1000.0 + 32400},          // +9 h carried by the channel
        {32400000, 300, kStart / 1000.0 + 32400},        // regardless of the computer
        {OvGraphFileLib::NOT_GIVEN, -540, kStart / 1000.0 + 32400},  // the computer's zone
        {OvGraphFileLib::NOT_GIVEN, 0, kStart / 1000.0},
        {-3600500, 0, kStart / 1000.0 - 3600},           // whole seconds only
    };
    for (const auto& row : rows) {
        AppDocument document;
        document.SetTimeZoneBias(row.computerBias);
        AppCh ch(&document, FileChannel(13, {20, 21}, 60000, row.timeDiff));
        EXPECT_DOUBLE_EQ(row.firstX, ch.GetFirstTime()) << row.timeDiff << " " << row.computerBias;
        EXPECT_DOUBLE_EQ(row.firstX + 60, ch.GetLastTime());
    }
}

TEST(AppCh, StatisticsIgnoreInvalidSamples)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double largest = std::nextafter(OvGraphFileLib::BREAK_VALUE, 0.0);  // the largest value that is data
    const struct {
        const char* what;
        std::vector<double> values;
        double max, min, average;
    } rows[] = {
        {"invalid", {10, INVALID_VALUE, 30, 20}, 30, 10, 20},
        {"break", {10, OvGraphFileLib::BREAK_VALUE, 30, 20}, 30, 10, 20},
        {"minus invalid", {10, -INVALID_VALUE, 30, 20}, 30, 10, 20},
        {"minus break", {10, -OvGraphFileLib::BREAK_VALUE, 30, 20}, 30, 10, 20},
        {"infinity", {10, kInf, 30, 20}, 30, 10, 20},
        {"minus infinity", {10, -kInf, 30, 20}, 30, 10, 20},
        {"NaN", {10, std::numeric_limits<double>::quiet_NaN(), 30, 20}, 30, 10, 20},
        {"the largest ordinary values count", {largest, -largest}, largest, -largest, 0},
        {"no data: the extremes are no data themselves", {INVALID_VALUE, -kInf}, -INVALID_VALUE, INVALID_VALUE, 0},
    };
    AppDocument document;
    for (const auto& row : rows) {
        AppCh ch(&document, FileChannel(13, row.values));
        EXPECT_EQ(row.max, ch.GetMaxValue()) << row.what;
        EXPECT_EQ(row.min, ch.GetMinValue()) << row.what;
        EXPECT_EQ(row.average, ch.GetAverage()) << row.what;
    }
}

TEST(AppCh, TemperatureUnitConvertsValuesAndLimits)
{
    const struct {
        uint16_t fileType;
        int32_t display;
        double in, out;
    } rows[] = {
        {13, 14, 30, 86},      // Celsius shown in Fahrenheit: y * 9 / 5 + 32, not rounded
        {13, 14, 21.5, 70.7},
        {14, 13, 70.7, 21.5},  // Fahrenheit shown in Celsius: tenths, lifted to the tenth
        {14, 13, 32, 0},
        {14, 13, -40, -40},
        {13, 13, 21.5, 21.5},
        {209, 14, 55.5, 55.5},  // humidity is not a temperature
    };
    for (const auto& row : rows) {
        AppDocument document;
        auto file = FileChannel(row.fileType, {row.in});
        file->SetUpperLimit(30);
        AppCh ch(&document, file);
        ch.SetTemperatureDisplayType(row.display);
        EXPECT_NEAR(row.out, ch.GetPoints().Y(0), 1e-9) << row.fileType << "->" << row.display << " " << row.in;
    }
    AppDocument document;
    auto file = FileChannel(13, {20});
    file->SetUpperLimit(30);
    AppCh ch(&document, file);
    ch.SetTemperatureDisplayType(14);
    EXPECT_DOUBLE_EQ(86, ch.GetUpperLimit());
    EXPECT_EQ(OvGraphFileLib::NO_LOWER_LIMIT, ch.GetLowerLimit());  // absent stays absent
    ch.SetUpperLimit(95);  // stored back in Celsius
    EXPECT_DOUBLE_EQ(35, file->GetUpperLimit());
}

TEST(AppCh, ScaleExpressionAppliesAfterTheTemperatureUnit)
{
    AppDocument document;
    AppCh ch(&document, FileChannel(13, {10, INVALID_VALUE, 20}));
    auto expr = PrmScaleExpr::FromChannelText(QStringLiteral("2\n1\n4\nkPa"));
    ASSERT_TRUE(expr);
    ch.SetScaleExpr(expr);
    EXPECT_EQ(21, ch.GetPoints().Y(0));
    EXPECT_EQ(INVALID_VALUE, ch.GetPoints().Y(1));
    EXPECT_EQ(41, ch.GetPoints().Y(2));
    EXPECT_EQ(QStringLiteral("kPa"), ch.GetUnitText());
    ch.SetScaleExpr(nullptr);  // back to the document's: no conversion, own unit
    EXPECT_EQ(10, ch.GetPoints().Y(0));
    EXPECT_EQ(QStringLiteral("°C"), ch.GetUnitText());
}

TEST(AppCh, UnitTextByPriority)
{
    AppDocument document;
    const struct {
        uint16_t type;
        std::u16string aux;
        bool override;
        int32_t code;
        int32_t documentUnit;
        QString unit;
    } rows[] = {
        {13, u"", false, 0, 13, QStringLiteral("°C")},
        {13, u"", false, 0, 14, QStringLiteral("°F")},
        {209, u"", false, 0, 13, QStringLiteral("%")},
        {73, u"", false, 0, 13, QStringLiteral("lx")},
        {73, u"custom", false, 0, 13, QStringLiteral("custom")},  // auxiliary text before the type
        {73, u"", true, 1, 13, QStringLiteral("°C")},             // override code 1: a temperature
        {13, u"", true, 4, 13, QStringLiteral("hPa")},            // code 4: pressure
    };
    for (const auto& row : rows) {
        document.SetTemperatureDisplayType(row.documentUnit);
        auto file = FileChannel(row.type, {1});
        file->SetAuxText(row.aux);
        AppCh ch(&document, file);
        if (row.override) ch.SetTypeOverride(true, row.code);
        EXPECT_EQ(row.unit, ch.GetUnitText()) << row.type << " code " << row.code;
    }
    AppCh empty(&document, nullptr);
    EXPECT_EQ(QString(), empty.GetUnitText());  // no data, no unit
}

TEST(AppCh, IntervalTexts)
{
    const struct {
        int64_t ms;
        const char* text;
    } rows[] = {
        {3601000, "1 hour 1 sec."},
        {3600000, "60 min."},
        {1500, "1 sec. 500 ミリ秒"},
        {600000, "10 min."},
        {90061000, "25 hour 1 min. 1 sec."},
        {250, "250 ミリ秒"},
        {-1, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(QString::fromUtf8(row.text), AppCh::IntervalText(row.ms)) << row.ms;
}

TEST(AppCh, NumbersNamesAndBlocks)
{
    AppDocument document;
    auto first = std::make_shared<AppCh>(&document, FileChannel(13, {1}));
    auto second = std::make_shared<AppCh>(&document, FileChannel(13, {1}));
    document.AddChannel(first);
    document.AddChannel(second);
    EXPECT_EQ(QStringLiteral("No.1"), first->GetChNumberText());
    EXPECT_EQ(QStringLiteral("No.2"), second->GetChNumberText());
    EXPECT_EQ(QStringLiteral("Logger Ch.1"), first->GetDisplayName());
    document.RemoveChannel(first.get());
    EXPECT_EQ(QString(), first->GetChNumberText());

    // Two blocks: a break point between them, no line joins them.
    auto file = FileChannel(13, {1, 2});
    file->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(13, kStart + 3600000, 60000, {3, 4}));
    AppCh blocks(&document, file);
    ASSERT_EQ(5u, blocks.GetPoints().Size());
    EXPECT_EQ(OvGraphFileLib::BREAK_VALUE, blocks.GetPoints().Y(2));
    EXPECT_DOUBLE_EQ((kStart + 60001) / 1000.0 - 60 * document.GetTimeZoneBias(), blocks.GetPoints().X(2));
    EXPECT_EQ(4, blocks.GetMaxValue());
}

// A recording's bytes are shared by the file channel, every document's copy and their points;
// whatever edits one copy gives it bytes of its own and leaves the others as they were.
TEST(AppCh, DocumentsShareARecordingsBytesUntilOneEditsThem)
{
    std::vector<uint16_t> codes;
    for (uint16_t i = 0; i < 500; ++i) codes.push_back(uint16_t(1200 + i % 37));
    OvGraphFileLib::FileKmv file;
    orvel::fixtures::KmvChannelSpec spec;
    spec.firstSeconds = 1780000000;
    spec.intervalDigits = "60";
    spec.codes = codes;
    std::istringstream in(orvel::fixtures::BuildKmv({spec}));
    ASSERT_TRUE(file.Load(in).Ok());
    const std::shared_ptr<OvGraphFileLib::ICh> fileCh = file.GetChList().at(0);
    const std::vector<uint8_t> recorded = fileCh->GetRawData().at(0)->GetData();
    const int64_t middle = fileCh->GetFirstTime() + 250 * 60000;

    const struct {
        const char* edit;
        std::function<void(OvGraphFileLib::GCh&)> apply;
    } rows[] = {
        {"trim the start", [&](OvGraphFileLib::GCh& ch) { ch.DeleteBefore(middle); }},
        {"trim the end", [&](OvGraphFileLib::GCh& ch) { ch.DeleteAfter(middle); }},
        {"shift the times", [&](OvGraphFileLib::GCh& ch) { ch.ShiftTime(3600000); }},
        {"write a code", [&](OvGraphFileLib::GCh& ch) { OvGraphFileLib::Stuff::StoreU16(ch.RawDataBlocks()[0]->GetData().data(), 1500); }},
    };
    for (const auto& row : rows) {
        AppDocument first, second;
        AppCh edited(&first, std::make_shared<OvGraphFileLib::GCh>(*fileCh));
        AppCh other(&second, std::make_shared<OvGraphFileLib::GCh>(*fileCh));
        auto& editedCh = dynamic_cast<OvGraphFileLib::GCh&>(const_cast<OvGraphFileLib::ICh&>(edited.GetFileCh()));
        const auto& otherCh = dynamic_cast<const OvGraphFileLib::GCh&>(other.GetFileCh());
        ASSERT_TRUE(editedCh.RawDataBlocks()[0]->GetSharedData().SharesWith(otherCh.RawDataBlocks()[0]->GetSharedData())) << row.edit;
        const std::vector<double> shown = [&] {
            std::vector<double> ys;
            other.GetPoints().ForEachY(0, other.GetPoints().Size(), [&](double y) { ys.push_back(y); });
            return ys;
        }();

        row.apply(editedCh);
        edited.Rebuild();
        EXPECT_EQ(recorded, fileCh->GetRawData().at(0)->GetData()) << row.edit;
        EXPECT_EQ(recorded, otherCh.RawDataBlocks()[0]->GetData()) << row.edit;
        ASSERT_EQ(shown.size(), other.GetPoints().Size()) << row.edit;
        for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], other.GetPoints().Y(i)) << row.edit << " " << i;
    }

    // Records with times of their own: shifting a copy leaves the original's times.
    auto timed = std::make_shared<OvGraphFileLib::FileKmqChRawData>();
    timed->SetChType(269);
    timed->SetElementSize(10);
    timed->SetCount(2);
    timed->GetData().resize(20);
    OvGraphFileLib::Stuff::StoreU64(&timed->GetData()[0], 1780000000);
    OvGraphFileLib::Stuff::StoreU64(&timed->GetData()[10], 1780000060);
    const auto copy = timed->Clone();
    copy->ShiftTime(60000);
    EXPECT_EQ(1780000000000, timed->GetTime(0));
    EXPECT_EQ(1780000060000, copy->GetTime(0));
}
