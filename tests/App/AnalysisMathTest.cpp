#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/AxisCursorReadout.h"
#include "App/DewPointMaker.h"
#include "App/MktCalculator.h"
#include "filelib/ChConstants.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"

using namespace ovgApp;
using OvGraphFileLib::BREAK_VALUE;
using OvGraphFileLib::INVALID_VALUE;

namespace {

// A file channel of blocks of doubles a minute apart, each block an hour after the previous one.
std::shared_ptr<OvGraphFileLib::GCh> FileChannel(uint16_t type, const std::vector<std::vector<double>>& blocks)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(type);
    OvGraphFileLib::RawDataList list;
    for (size_t b = 0; b < blocks.size(); ++b)
        list.push_back(OvGraphFileLib::RawDataValidInterval::Create(type, 1'780'000'000'000 + int64_t(b) * 3'600'000,
                                                                    60000, blocks[b]));
    ch->SetRawData(list);
    return ch;
}

// The dew point worked out here from the published constants, step by step.
double SonntagDewPoint(double celsius, double humidity)
{
    const double t = celsius + 273.15;
    const double lnEs =
        -6096.9385 / t + 21.2409642 - 0.02711193 * t + 0.00001673952 * std::pow(t, 2) + 2.433502 * std::log(t);
    const double y = std::log(std::exp(lnEs * std::log(2.718281828)) * humidity / 100 / 611.213);
    if (y >= 0) return 13.715 * y + 0.84262 * std::pow(y, 2) + 0.019048 * std::pow(y, 3) + 0.0078158 * std::pow(y, 4);
    return 13.7204 * y + 0.736631 * std::pow(y, 2) + 0.0332136 * std::pow(y, 3) + 0.000778591 * std::pow(y, 4);
}

}  // namespace

TEST(DewPoint, OfOneSampleByBothBranchesAndRefusals)
{
    const struct {
        double celsius, humidity;
        std::optional<double> about;  // none: no dew point (INVALID_VALUE)
    } rows[] = {
        {25, 100, 25.0},  // saturated air: the dew point is the temperature
        {25, 50, 13.9},   {30, 80, 26.2},
        {5, 30, -11.1},   {-10, 90, -11.3},  // y < 0: the second polynomial
        {20, 0, {}},      {20, -5, {}},      // no water vapour
        {-273.15, 50, {}}, {-300, 50, {}},   // at or below absolute zero
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.celsius << " °C " << row.humidity << " %");
        const double dewPoint = DewPoint::Of(row.celsius, row.humidity);
        if (!row.about) {
            EXPECT_EQ(INVALID_VALUE, dewPoint);
            continue;
        }
        // The base 2.718281828 instead of e moves the answer by about 1e-8 °C: the tolerance sees it.
        EXPECT_NEAR(SonntagDewPoint(row.celsius, row.humidity), dewPoint, 1e-11);
        EXPECT_NEAR(*row.about, dewPoint, 0.1);
    }
}

TEST(Mkt, ComputeSkipsNoDataAndFormatsInTheChosenUnit)
{
    const double noData[] = {INVALID_VALUE, BREAK_VALUE, -INVALID_VALUE};
    const struct {
        std::vector<double> values;
        double dH;
        const char *celsius, *fahrenheit, *kelvin;
    } rows[] = {
        {{25, 25, 25}, 83.14472, "25.00", "77.00", "298.15"},
        {{25, 25, 25}, 50, "25.00", "77.00", "298.15"},
        {{25, 25, 25}, 150, "25.00", "77.00", "298.15"},
        {{25}, 1, "25.00", "77.00", "298.15"},
        {{25, noData[0], noData[1], 25, noData[2]}, 83.14472, "25.00", "77.00", "298.15"},
        {{20, 30}, 83.14472, "26.26", "79.27", "299.41"},  // warm spells weigh more than the mean
        {{-20, noData[0], 10}, 83.14472, "4.67", "40.40", "277.82"},
        {{noData[0], noData[1]}, 83.14472, "----", "----", "----"},
        {{}, 83.14472, "----", "----", "----"},
        {{20, 30}, 0, "----", "----", "----"},  // no activation energy, no answer
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.values.size() << " values, dH " << row.dH);
        const std::optional<double> result = Mkt::Compute(row.values.data(), row.values.size(), row.dH);
        if (result && row.values.front() == 25) {
            EXPECT_NEAR(25, *result, 1e-9);
        }
        EXPECT_EQ(QString::fromLatin1(row.celsius), Mkt::Format(result, Mkt::Unit::kCelsius));
        EXPECT_EQ(QString::fromLatin1(row.fahrenheit), Mkt::Format(result, Mkt::Unit::kFahrenheit));
        EXPECT_EQ(QString::fromLatin1(row.kelvin), Mkt::Format(result, Mkt::Unit::kKelvin));
    }
}

// The MKT of a channel is worked out in Celsius whatever unit the channel shows.
TEST(Mkt, OfChannelTakesTemperaturesInCelsius)
{
    const std::vector<double> valid = {20, 22.5, 31, 18};
    const std::optional<double> expected = Mkt::Compute(valid.data(), valid.size(), 83.14472);
    const struct {
        uint16_t type;
        std::vector<std::vector<double>> values;  // in the file's unit
        int32_t display;
    } rows[] = {
        {13, {{20, 22.5, INVALID_VALUE}, {31, 18}}, 13},
        {13, {{20, 22.5, INVALID_VALUE}, {31, 18}}, 14},
        {14, {{68, 72.5, INVALID_VALUE}, {87.8, 64.4}}, 14},
        {14, {{68, 72.5, INVALID_VALUE}, {87.8, 64.4}}, 13},
    };
    AppDocument document;
    for (const auto& row : rows) {
        AppCh channel(&document, FileChannel(row.type, row.values));
        channel.SetTemperatureDisplayType(row.display);
        const std::optional<double> result = Mkt::OfChannel(channel, 83.14472);
        ASSERT_TRUE(result && expected);
        EXPECT_NEAR(*expected, *result, 1e-9) << "type " << row.type << " shown as " << row.display;
    }
    AppCh empty(&document, nullptr);
    EXPECT_EQ(QStringLiteral("----"), Mkt::Format(Mkt::OfChannel(empty, 83.14472), Mkt::Unit::kCelsius));
}

// The axis-cursor pane: both cursor times and their difference, each channel's value at A and B
// (the last sample at or before), B - A, and the statistics of its valid values between them.
TEST(AxisCursorReadout, ValuesDifferencesAndStatisticsBetweenTheCursors)
{
    AppDocument document;
    document.SetTimeZoneBias(0);
    auto file = FileChannel(0x41, {{1, 2, INVALID_VALUE, 4, 5}});
    file->SetTimeDiff(0);
    auto channel = std::make_shared<AppCh>(&document, file);
    document.AddChannel(channel);
    AppDateInfo dateInfo;
    const double t0 = 1'780'000'000;  // the first sample, seconds
    const struct {
        double a, b;
        const char *atA, *atB, *difference, *minimum, *maximum, *mean, *deviation, *duration;
    } rows[] = {
        // A on the second sample, B half a minute after the fourth: 2, 4 and the values 2, 4 between.
        {t0 + 60, t0 + 210, "2.0", "4.0", "2.0", "2.0", "4.0", "3.0", "1.4", "0day(s) 00:02:30.000"},
        // B before A: the same statistics, a negative time difference.
        {t0 + 210, t0 + 60, "4.0", "2.0", "-2.0", "2.0", "4.0", "3.0", "1.4", "-0day(s) 00:02:30.000"},
        // A before the first sample, B on the missing one: no values there, one valid value between.
        {t0 - 60, t0 + 120, "", "", "", "1.0", "2.0", "1.5", "0.7", "0day(s) 00:03:00.000"},
        {t0 + 120, t0 + 150, "", "", "", "", "", "", "", "0day(s) 00:00:30.000"},
    };
    for (const auto& row : rows) {
        const auto readout = AxisCursorReadout::Read(document, row.a, row.b, dateInfo);
        ASSERT_EQ(readout.rows.size(), 1u);
        const auto& r = readout.rows[0];
        const std::vector<QString> got{r.atA, r.atB, r.difference, r.minimum, r.maximum, r.mean, r.deviation, readout.timeDifference};
        const std::vector<QString> expected{row.atA, row.atB, row.difference, row.minimum, row.maximum, row.mean, row.deviation, row.duration};
        EXPECT_EQ(got, expected) << row.a - t0 << " " << row.b - t0;
        EXPECT_EQ(readout.timeA, dateInfo.DateTimeText(int64_t(row.a * 1000)));
    }
    EXPECT_TRUE(AxisCursorReadout::Read(document, t0, t0 + 60, dateInfo).ToText().startsWith(QStringLiteral("\tA\tB\tB-A")));
}
