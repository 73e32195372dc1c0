#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/FileCsv.h"
#include "filelib/ChConstants.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"

using namespace ovgApp;

namespace {

constexpr int64_t kMidnight = 1780272000000;  // 2026-06-01 00:00:00 (ms)

std::shared_ptr<OvGraphFileLib::GCh> Channel(std::u16string name, int64_t first, int64_t interval, std::vector<double> values,
                                             int64_t timeDiff = 0)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(13);
    ch->SetChName(name);
    ch->SetInterval(interval);
    ch->SetTimeDiff(timeDiff);
    ch->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(13, first, interval, values));
    ch->SetDataCount(int32_t(values.size()));
    return ch;
}

std::string Export(AppDocument& document, int32_t separator = FileCsv::kComma)
{
    ovgApp::AppDateInfo dateInfo;
    FileCsv csv(document.GetChannels(), dateInfo, separator);
    std::ostringstream out;
    EXPECT_TRUE(csv.Save(out).Ok());
    return out.str();
}

}  // namespace

// B's logger keeps UTC+1: its rows show its clock, and their serial numbers (on this UTC computer)
// the instant, an hour earlier.
TEST(FileCsv, RowsForTheUnionOfTimesWithEmptyCellsWhereAChannelHasNoSample)
{
    constexpr int64_t kHour = 3600000;
    AppDocument document;
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"A", kMidnight, 60000, {1.5, 2.5})));
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"B \"x\"", kMidnight + 30000 - kHour, 60000, {7, 8}, kHour)));
    EXPECT_EQ("\"Date/Time\",\"Date/Time\",\"No.1\",\"No.2\"\r\n"
              "\"Date/Time\",\"Date/Time\",\"A\",\"B \"\"x\"\"\"\r\n"
              "\"\",\"\",\"°C\",\"°C\"\r\n"
              "\"2026-06-01 00:00:00\",\"46174.0000000000\",\"1.5\",\"\"\r\n"
              "\"2026-06-01 00:00:30\",\"46173.9586805556\",\"\",\"7.0\"\r\n"
              "\"2026-06-01 00:01:00\",\"46174.0006944444\",\"2.5\",\"\"\r\n"
              "\"2026-06-01 00:01:30\",\"46173.9593750000\",\"\",\"8.0\"\r\n",
              Export(document));
}

TEST(FileCsv, NoDataGivesAnEmptyCellOrItsErrorText)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double value;
        const char* cell;
    } rows[] = {
        {"a reading", -21.5, "-21.5"},
        {"invalid: its error text", OvGraphFileLib::INVALID_VALUE, "E"},
        {"minus invalid", -OvGraphFileLib::INVALID_VALUE, ""},
        {"minus break", -OvGraphFileLib::BREAK_VALUE, ""},
        {"infinity", kInf, ""},
        {"minus infinity", -kInf, ""},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), ""},
        {"above the error bound and not in the table", 1e300, ""},
    };
    for (const auto& row : rows) {
        AppDocument document;
        document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"A", kMidnight, 60000, {row.value})));
        ovgApp::AppDateInfo dateInfo;
        FileCsv csv(document.GetChannels(), dateInfo);
        csv.SetErrorTexts({{OvGraphFileLib::INVALID_VALUE, "E"}});
        std::ostringstream out;
        ASSERT_TRUE(csv.Save(out).Ok());
        const std::string expected = "\"2026-06-01 00:00:00\",\"46174.0000000000\",\"" + std::string(row.cell) + "\"\r\n";
        const std::string text = out.str();
        EXPECT_EQ(expected, text.substr(text.rfind("\r\n", text.size() - 3) + 2)) << row.what;
    }
}

TEST(FileCsv, TabSeparatorAndNoChannels)
{
    AppDocument empty;
    EXPECT_EQ("\"Date/Time\"\t\"Date/Time\"\r\n\"Date/Time\"\t\"Date/Time\"\r\n\"\"\t\"\"\r\n", Export(empty, FileCsv::kTab));
}

// Progress comes every 65,536 rows, grows, and counts the points of all the channels, so that
// two channels on different clocks end at their total.
TEST(FileCsv, ProgressCountsThePointsWritten)
{
    AppDocument document;
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"A", kMidnight, 1000, std::vector<double>(150000, 1.0))));
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"B", kMidnight + 500, 2000, std::vector<double>(50000, 2.0))));
    ovgApp::AppDateInfo dateInfo;
    FileCsv csv(document.GetChannels(), dateInfo);
    std::vector<std::pair<int64_t, int64_t>> reports;
    csv.SetProgress([&](int64_t done, int64_t total) { reports.emplace_back(done, total); });
    std::ostringstream out;
    ASSERT_TRUE(csv.Save(out).Ok());
    // 200,000 rows (the two clocks never meet): reports at rows 65,536, 131,072 and 196,608.
    ASSERT_EQ(3u, reports.size());
    for (size_t k = 0; k < reports.size(); ++k) {
        EXPECT_EQ(200000, reports[k].second);
        EXPECT_EQ(int64_t(65536 * (k + 1) - 1), reports[k].first) << k;
    }
}

TEST(FileCsv, AnIntervalBelowOneSecondGivesEveryRowMilliseconds)
{
    AppDocument document;
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"fast", kMidnight, 500, {1, 2})));
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"slow", kMidnight, 60000, {5})));
    const std::string csv = Export(document);
    EXPECT_NE(std::string::npos, csv.find("\"2026-06-01 00:00:00.000\",\"46174.0000000000\",\"1.0\",\"5.0\"\r\n"));
    EXPECT_NE(std::string::npos, csv.find("\"2026-06-01 00:00:00.500\",\"46174.0000057870\",\"2.0\",\"\"\r\n"));
}

TEST(FileCsv, AFailedWriteNamesTheRow)
{
    AppDocument document;
    document.AddChannel(std::make_shared<AppCh>(&document, Channel(u"A", kMidnight, 60000, {1, 2, 3})));
    ovgApp::AppDateInfo dateInfo;
    FileCsv csv(document.GetChannels(), dateInfo);
    std::ostringstream full;
    ASSERT_TRUE(csv.Save(full).Ok());
    const std::string text = full.str();
    // A stream that fails after n bytes, for every n: the failure names the row being written
    // (the three header rows, then any data row) and what went before stays written.
    std::vector<size_t> rowEnds;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) rowEnds.push_back(at + 2);
    ASSERT_EQ(rowEnds.size(), 6u);
    for (size_t room = 0; room < text.size(); ++room) {
        std::string buffer(room, '\0');
        struct Limited : std::streambuf {
            Limited(char* b, size_t n) { setp(b, b + n); }
        } limit(buffer.data(), buffer.size());
        std::ostream out(&limit);
        const OvGraphFileLib::Result result = csv.Save(out);
        const int32_t row = int32_t(std::upper_bound(rowEnds.begin(), rowEnds.end(), room) - rowEnds.begin());
        EXPECT_EQ(51, result.code) << room;
        EXPECT_EQ(7000 + std::min(row, 3), result.location) << room;
        EXPECT_EQ(text.substr(0, room), buffer) << room;
    }
    // A file on a full device: the first row cannot be written.
    const OvGraphFileLib::Result result = csv.Save(std::filesystem::path("/dev/full"));
    EXPECT_EQ(51, result.code);
    EXPECT_EQ(7000, result.location);
}
