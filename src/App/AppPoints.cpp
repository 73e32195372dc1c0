#include "App/AppPoints.h"

#include <cmath>
#include <limits>

#include "App/PrmScaleExpr.h"
#include "filelib/ChConstants.h"
#include "filelib/GChRawData.h"

namespace ovgApp {

double AppPoints::Conversion::operator()(double y) const
{
    if (OvGraphFileLib::IsNoData(y)) return y;
    if (toCelsius) {
        double t = (y - 32) * 50 / 9;
        t += t > 0 ? 0.1 : -0.1;
        y = std::trunc(t) / 10;
    } else if (toFahrenheit) {
        y = y * 9 / 5 + 32;
    }
    return expr ? expr->Apply(y) : y;
}

void AppPoints::Clear()
{
    m_runs.clear();
    m_explicitX.clear();
    m_explicitY.clear();
    m_groups.clear();
    m_size = 0;
    m_statistics = {};
}

void AppPoints::AppendBlock(std::shared_ptr<const OvGraphFileLib::GChRawData> block, double firstX, double stepX)
{
    const int32_t count = block->GetCount();
    if (count <= 0) return;
    m_runs.push_back({m_size, size_t(count), firstX, stepX, 0, block, m_groups.size()});
    m_size += size_t(count);
    // One pass over the values: statistics and the group summaries.
    double values[kGroup * 16];
    for (int32_t first = 0; first < count;) {
        const int32_t n = std::min<int32_t>(count - first, int32_t(std::size(values)));
        block->GetValues(first, n, values);
        if (!m_conversion.IsIdentity())
            for (int32_t i = 0; i < n; ++i) values[i] = m_conversion(values[i]);
        for (int32_t g = 0; g < n; g += int32_t(kGroup)) {
            const int32_t end = std::min<int32_t>(n, g + int32_t(kGroup));
            Extremes extremes{values[g], values[g]};
            for (int32_t i = g; i < end; ++i) {
                const double y = values[i];
                m_statistics.Add(y);
                if (OvGraphFileLib::IsNoData(y) || std::isnan(y) || std::isnan(extremes.minimum)) {
                    extremes.minimum = extremes.maximum = std::numeric_limits<double>::quiet_NaN();
                    continue;
                }
                extremes.minimum = std::min(extremes.minimum, y);
                extremes.maximum = std::max(extremes.maximum, y);
            }
            m_groups.push_back(extremes);
        }
        first += n;
    }
}

void AppPoints::AppendPoint(double x, double y)
{
    // Consecutive explicit points share one run.
    if (m_runs.empty() || m_runs.back().stepX != 0) m_runs.push_back({m_size, 0, x, 0, m_explicitX.size(), nullptr, 0});
    ++m_runs.back().count;
    m_explicitX.push_back(x);
    m_explicitY.push_back(y);
    m_statistics.Add(y);
    ++m_size;
}

size_t AppPoints::RunOf(size_t index) const
{
    const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), index,
                                        [](size_t i, const Run& run) { return i < run.begin; });
    return size_t(after - m_runs.begin()) - 1;
}

double AppPoints::XIn(const Run& run, size_t index) const
{
    const size_t offset = index - run.begin;
    return run.stepX != 0 ? run.firstX + run.stepX * double(offset) : m_explicitX[run.explicitAt + offset];
}

double AppPoints::X(size_t index) const { return XIn(m_runs[RunOf(index)], index); }

double AppPoints::Y(size_t index) const
{
    const Run& run = m_runs[RunOf(index)];
    const size_t offset = index - run.begin;
    return run.block ? m_conversion(run.block->GetValue(int32_t(offset))) : m_explicitY[run.explicitAt + offset];
}

size_t AppPoints::Read(size_t first, size_t count, double* xs, double* ys) const
{
    const size_t end = std::min(m_size, first + count);
    size_t n = 0;
    for (size_t r = first < end ? RunOf(first) : m_runs.size(); first < end && r < m_runs.size(); ++r) {
        const Run& run = m_runs[r];
        const size_t stop = std::min(end, run.begin + run.count);
        const size_t offset = first - run.begin, k = stop - first;
        if (run.block) {
            run.block->GetValues(int32_t(offset), int32_t(k), ys + n);
            if (!m_conversion.IsIdentity())
                for (size_t i = 0; i < k; ++i) ys[n + i] = m_conversion(ys[n + i]);
            if (xs)
                for (size_t i = 0; i < k; ++i) xs[n + i] = run.firstX + run.stepX * double(offset + i);
        } else {
            std::copy_n(m_explicitY.begin() + ptrdiff_t(run.explicitAt + offset), k, ys + n);
            if (xs) std::copy_n(m_explicitX.begin() + ptrdiff_t(run.explicitAt + offset), k, xs + n);
        }
        n += k;
        first = stop;
    }
    return n;
}

size_t AppPoints::LowerBound(double x) const
{
    size_t lo = 0, hi = m_size;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (X(mid) < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

size_t AppPoints::UpperBound(double x) const
{
    size_t lo = 0, hi = m_size;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (X(mid) <= x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

bool AppPoints::GroupAt(size_t index, size_t end, Group& group) const
{
    if (index >= m_size) return false;
    const Run& run = m_runs[RunOf(index)];
    const size_t offset = index - run.begin;
    if (!run.block || offset % kGroup != 0) return false;
    const size_t count = std::min(kGroup, run.count - offset);
    if (index + count > end) return false;
    const Extremes& extremes = m_groups[run.groupAt + offset / kGroup];
    if (std::isnan(extremes.minimum)) return false;
    const size_t last = offset + count - 1;
    group = {count, run.firstX + run.stepX * double(last), m_conversion(run.block->GetValue(int32_t(last))),
             extremes.minimum, extremes.maximum};
    return true;
}

size_t AppPoints::ToGroupBoundary(size_t index) const
{
    if (index >= m_size) return 1;
    const Run& run = m_runs[RunOf(index)];
    const size_t offset = index - run.begin;
    if (!run.block) return run.count - offset;
    return std::min(kGroup - offset % kGroup, run.count - offset);
}

size_t AppPoints::Footprint() const
{
    return m_runs.capacity() * sizeof(Run) + m_explicitX.capacity() * sizeof(double) +
           m_explicitY.capacity() * sizeof(double) + m_groups.capacity() * sizeof(Extremes);
}

}  // namespace ovgApp
