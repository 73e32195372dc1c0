// Plotting through the group summaries must draw exactly what a scan of every sample draws, and
// hit tests must find exactly the vertices of every sample.
#include <gtest/gtest.h>

#include <QPolygonF>
#include <random>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/PlotGenerateLineGraph3.h"

using namespace ovgGraph;

namespace {

constexpr int64_t kStart = 1'780'000'000'000;

// Celsius codes that wander, jump now and then, stay flat for a while, and have no-data runs.
std::shared_ptr<OvGraphFileLib::GCh> RandomChannel(std::mt19937& random)
{
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(13);
    ch->SetInterval(1000);
    int64_t first = kStart;
    const int blocks = 1 + int(random() % 3);
    OvGraphFileLib::RawDataList list;
    for (int b = 0; b < blocks; ++b) {
        const int32_t count = 1 + int32_t(random() % (b == 0 ? 400000 : 100000));
        const int64_t interval = random() % 4 == 0 ? 60000 : 1000;
        auto block = std::make_shared<OvGraphFileLib::FileKmvChRawData>();
        block->SetChType(13);
        block->SetInterval(interval);
        block->SetCount(count);
        block->SetFirstTime(first);
        block->SetLastTime(first + int64_t(count - 1) * interval);
        auto& data = block->GetData();
        data.resize(size_t(count) * 2);
        int32_t code = 1000 + int32_t(random() % 400);
        const unsigned noDataRate = random() % 3 != 0 ? 0 : 1 + random() % 20000;
        const unsigned flat = random() % 4;
        for (int32_t i = 0; i < count; ++i) {
            if (flat != 0 && random() % 1000 == 0) code += int32_t(random() % 201) - 100;
            if (flat == 0) code += int32_t(random() % 7) - 3;
            if (random() % 5000 == 0) code += int32_t(random() % 2001) - 1000;
            code = std::clamp(code, 0, 3000);
            const bool noData = noDataRate != 0 && random() % noDataRate == 0;
            OvGraphFileLib::Stuff::StoreU16(&data[size_t(i) * 2], noData ? 0xEEEE : uint16_t(code));
        }
        list.push_back(block);
        first = block->GetLastTime() + interval * int64_t(1 + random() % 5000);
    }
    ch->SetRawData(std::move(list));
    return ch;
}

// Each segment as the painter receives it.
std::vector<QPolygonF> Drawn(const Segments& segments)
{
    std::vector<QPolygonF> drawn;
    for (const Segment& segment : segments) {
        if (segment.size() <= 2) {
            QPolygonF raw;
            for (const PointRecord& p : segment) raw << QPointF(p.x, p.y);
            raw << QPointF(-1e9, double(segment.size()));  // the vertex count decides how it is drawn
            drawn.push_back(raw);
        } else {
            drawn.push_back(GdiDrawLineGraphGDIP::ReduceColumns(segment));
        }
    }
    return drawn;
}

}  // namespace

TEST(PlotSummary, PictureAndHitsEqualAFullScanForRandomDataGapsAndZooms)
{
    std::mt19937 random(20261207);
    int summarised = 0;
    constexpr int kCases = 45;
    for (int c = 0; c < kCases; ++c) {
        ovgApp::AppDocument document;
        auto file = RandomChannel(random);
        if (c % 3 == 1) file->SetScaleExpr(u"-2.5\n7\n9\nX");  // a falling line swaps the extremes
        ovgApp::AppCh summary(&document, file);
        ovgApp::AppCh full(&document, file);
        full.GetDrawer().SetSymbol(1);  // symbols need every vertex: a full scan

        const double first = summary.GetFirstTime(), last = summary.GetLastTime();
        auto time = std::make_shared<Axis>(nullptr, Axis::kBelow);
        auto value = std::make_shared<Axis>(nullptr, Axis::kLeft);
        time->SetLength(100 + int32_t(random() % 1900));
        value->SetLength(50 + int32_t(random() % 1000));
        time->SetRange(first - 100, last + 100);
        // Zoomed anywhere from the whole recording to a few hundred samples.
        const double span = (last - first + 200) / std::pow(2.0, double(random() % 5));
        const double from = first - 100 + std::uniform_real_distribution<double>(0, last - first + 200 - span)(random);
        time->SetDisplayRange(from, from + span);
        const double low = summary.GetMinValue(), high = summary.GetMaxValue();
        value->SetRange(low - 5, high + 5);
        const double vspan = (high - low + 10) / (1 + double(random() % 4));
        value->SetDisplayRange(low - 5 + (high - low + 10 - vspan) / 2 * double(random() % 3) / 2,
                               low - 5 + (high - low + 10 - vspan) / 2 * double(random() % 3) / 2 + vspan);
        summary.SetAxes(time, value);
        full.SetAxes(time, value);
        summary.Replot(time->GetMapping(), value->GetMapping());
        full.Replot(time->GetMapping(), value->GetMapping());
        ASSERT_FALSE(full.GetPlotGenerator().UsedGroups());
        summarised += summary.GetPlotGenerator().UsedGroups();

        ASSERT_EQ(Drawn(full.GetSegments()), Drawn(summary.GetSegments())) << "case " << c;

        // Hits on vertices, beside them and on the lines between them, and anywhere at all.
        std::vector<Point> points;
        for (const Segment& segment : full.GetSegments())
            for (size_t i = 0; i < segment.size() && points.size() < 120; i += 1 + segment.size() / 40)
                points.push_back({segment[i].x + int32_t(random() % 9) - 4, segment[i].y + int32_t(random() % 9) - 4});
        for (int i = 0; i < 40; ++i)
            points.push_back({int32_t(random() % uint32_t(time->GetLength())), -int32_t(random() % uint32_t(value->GetLength()))});
        for (const Point& point : points) {
            PointRecord expected, found;
            const int want = full.HitTestLine(point, &expected);
            ASSERT_EQ(want, summary.HitTestLine(point, &found)) << "case " << c << " at " << point.x << "," << point.y;
            if (want != 0) {
                ASSERT_EQ(expected, found) << "case " << c << " at " << point.x << "," << point.y;
            }
        }
    }
    // The summaries were really used, in a good share of the cases.
    EXPECT_GT(summarised, kCases / 3);
}
