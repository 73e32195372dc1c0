#include "graph/GCh.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/PlotGenerateLineGraph3.h"

namespace ovgGraph {

size_t GCh::DataIteratorImpl::Read(const DataIteratorImpl& last, double* times, double* values, size_t max)
{
    size_t n = 0;
    for (; n < max && !Equals(last); ++n, Next()) {
        times[n] = GetTime();
        values[n] = GetValue();
    }
    return n;
}

bool GCh::DataIteratorImpl::PeekGroup(const DataIteratorImpl&, SampleGroup&) const { return false; }

void GCh::DataIteratorImpl::Skip(size_t count)
{
    for (; count > 0; --count) Next();
}

GCh::GCh(Glyph* parent)
    : GlyphInt(parent),
      m_drawer(std::make_shared<GdiDrawLineGraphGDIP>(this)),
      m_generator(std::make_shared<PlotGenerateLineGraph3>(this))
{
    SetStateBits(kRelayout);
}

GCh::~GCh() = default;

void GCh::SetAxes(std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis)
{
    if (timeAxis == m_timeAxis && valueAxis == m_valueAxis) return;
    m_timeAxis = std::move(timeAxis);
    m_valueAxis = std::move(valueAxis);
    Notify(kChanged | kRelayout);
}

bool GCh::HasData(double timeMin, double timeMax) const
{
    const double first = GetFirstTime(), last = GetLastTime();
    return first <= last && first <= timeMax && last >= timeMin;
}

void GCh::Layout(uint8_t)
{
    if (!(GetState() & kRelayout)) return;
    if (!m_timeAxis || !m_valueAxis) {
        m_segments.clear();
        return;
    }
    Replot(m_timeAxis->GetMapping(), m_valueAxis->GetMapping());
}

void GCh::Replot(const AxisMapping& time, const AxisMapping& value)
{
    m_plotTime = std::make_shared<AxisMapping>(time);
    m_plotValue = std::make_shared<AxisMapping>(value);
    // Symbols mark vertices, so they need every vertex a full scan gives.
    m_generator->Generate(*this, time, value, m_segments, m_drawer->GetSymbol() == 0);
}

Segments GCh::ExactSegments(int32_t fromX, int32_t toX) const
{
    if (!m_generator->UsedGroups() || !m_plotTime || !(m_plotTime->valuePerPixel > 0)) return m_segments;
    const AxisMapping& time = *m_plotTime;
    const double perPixel = time.valuePerPixel;
    const auto columnStart = [&](double x) { return time.displayMin + (x - time.startInset) * perPixel; };
    // Never beyond the samples the full re-plot reads.
    const double to = std::min(columnStart(toX + 1), time.displayMax);
    // Begin with the whole column of the sample before the range (a pixel early, against
    // rounding), so that its vertices, and the line leaving it, are what the full scan gives.
    double from = columnStart(fromX);
    const DataRange probe = CreateDataIterator(from, to, -1, 1);
    if (!probe.first || !probe.last || probe.first->Equals(*probe.last)) return {};
    from = std::max(time.displayMin,
                    std::min(from, columnStart(std::floor((probe.first->GetTime() - time.displayMin) / perPixel) + time.startInset - 1)));
    PlotGenerateLineGraph3 generator;
    generator.SetReduce(m_generator->GetReduce());
    Segments exact;
    generator.GenerateFrom(CreateDataIterator(from, to, -1, 1), time, *m_plotValue, exact, false);
    return exact;
}

void GCh::Draw(QPainter& painter) { m_drawer->Draw(painter, m_segments); }

int GCh::HitTestLine(Point point, PointRecord* hit) const
{
    if (!IsVisible()) return 0;
    // A hit needs a vertex within 3 pixels or a line passing within 3: the columns 8 to either
    // side hold every candidate.
    const Segments exact = m_generator->UsedGroups() ? ExactSegments(point.x - 8, point.x + 8) : Segments();
    const Segments& segments = m_generator->UsedGroups() ? exact : m_segments;
    int best = 0;
    PointRecord found;
    // A vertex match (2) beats a column match (1), which beats a line match (3).
    const auto rank = [](int result) { return result == 2 ? 3 : result == 1 ? 2 : result == 3 ? 1 : 0; };
    for (const Segment& segment : segments) {
        if (segment.empty()) continue;
        int32_t minX = segment.front().x, maxX = segment.front().x;
        for (const PointRecord& p : segment) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
        }
        if (point.x < minX - 5 || point.x > maxX + 5) continue;
        int result = 0;
        PointRecord candidate;
        for (size_t i = 0; i < segment.size(); ++i) {
            const PointRecord& p = segment[i];
            if (std::abs(p.x - point.x) <= 3 && std::abs(p.y - point.y) <= 3) {
                result = 2;
                candidate = p;
                break;
            }
            if (rank(1) > rank(result) && std::abs(p.x - point.x) <= 3) {
                result = 1;
                candidate = p;
            }
            if (rank(3) > rank(result) && i + 1 < segment.size()) {
                const PointRecord& q = segment[i + 1];
                const double dx = q.x - p.x, dy = q.y - p.y;
                const double length2 = dx * dx + dy * dy;
                if (length2 >= 25) {
                    // Within 3 pixels of the segment between the two vertices.
                    const double t = ((point.x - p.x) * dx + (point.y - p.y) * dy) / length2;
                    if (t >= 0 && t <= 1) {
                        const double ex = p.x + t * dx - point.x, ey = p.y + t * dy - point.y;
                        if (ex * ex + ey * ey <= 9) {
                            result = 3;
                            candidate = p;
                        }
                    }
                }
            }
        }
        if (rank(result) > rank(best)) {
            best = result;
            found = candidate;
        }
        if (best == 2) break;
    }
    if (best != 0 && hit) *hit = found;
    return best;
}

}  // namespace ovgGraph
