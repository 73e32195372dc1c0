#include "graph/PlotGenerateLineGraph3.h"

#include <algorithm>
#include <cmath>

#include "graph/Axis.h"
#include "graph/GCh.h"

namespace ovgGraph {
namespace {

constexpr double kInvalid = 1.7976931348623157e308;
constexpr double kBreak = 1.7976931348623155e308;

// floor(offset / perPixel + 1e-6), kept inside a sane pixel range whatever the data says.
int32_t Pixels(double offset, double perPixel)
{
    const double p = perPixel > 0 ? std::floor(offset / perPixel + 1e-6) : 0.0;
    return p != p ? 0 : int32_t(std::clamp(p, -1e8, 1e8));
}

}  // namespace

void PlotGenerateLineGraph3::FlushColumn(Segment& segment)
{
    if (m_columnHeights.size() >= 2 && !segment.empty() && segment.back().y != m_current.y) segment.push_back(m_current);
    m_columnHeights.clear();
}

void PlotGenerateLineGraph3::Generate(const GCh& channel, Segments& segments)
{
    segments.clear();
    m_columnHeights.clear();
    const Axis* timeAxis = channel.GetTimeAxis().get();
    const Axis* valueAxis = channel.GetValueAxis().get();
    if (!timeAxis || !valueAxis || !channel.IsVisible()) return;

    const double timeMin = timeAxis->GetDisplayMin();
    const double timePerPixel = timeAxis->GetValuePerPixel();
    const int32_t timeInset = timeAxis->GetStartInset();
    const double valueMin = valueAxis->GetDisplayMin();
    const double valuePerPixel = valueAxis->GetValuePerPixel();
    const int32_t valueInset = valueAxis->GetStartInset();

    GCh::DataRange range = channel.CreateDataIterator(timeMin, timeAxis->GetDisplayMax(), -1, 1);
    if (!range.first || !range.last) return;
    segments.emplace_back();
    bool columnOpen = false;
    for (auto& it = range.first; !it->Equals(*range.last); it->Next()) {
        const double t = it->GetTime();
        const double v = it->GetValue();
        if (v == kInvalid || v == kBreak) {
            FlushColumn(segments.back());
            columnOpen = false;
            if (!segments.back().empty()) {
                segments.emplace_back();
                segments.back().reserve(1000);
            }
            continue;
        }
        const PointRecord point{Pixels(t - timeMin, timePerPixel) + timeInset,
                                -(Pixels(v - valueMin, valuePerPixel) + valueInset), t, v};
        if (columnOpen && point.x != m_current.x) FlushColumn(segments.back());
        m_current = point;
        columnOpen = true;
        const auto at = std::lower_bound(m_columnHeights.begin(), m_columnHeights.end(), point.y);
        if (at != m_columnHeights.end() && *at == point.y) continue;
        segments.back().push_back(point);
        if (m_reduce) m_columnHeights.insert(at, point.y);
    }
    FlushColumn(segments.back());
    if (segments.back().empty())
        segments.pop_back();
    else
        segments.back().shrink_to_fit();
}

}  // namespace ovgGraph
