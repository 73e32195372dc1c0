#include "App/AppPoints.h"

#include <algorithm>

namespace ovgApp {

void AppPoints::Clear()
{
    m_runs.clear();
    m_values.clear();
    m_explicitX.clear();
}

void AppPoints::AppendSpaced(double firstX, double stepX, const double* values, size_t count)
{
    if (count == 0) return;
    if (stepX == 0) {
        for (size_t i = 0; i < count; ++i) AppendPoint(firstX, values[i]);
        return;
    }
    m_runs.push_back({m_values.size(), count, firstX, stepX, 0});
    m_values.insert(m_values.end(), values, values + count);
}

void AppPoints::AppendPoint(double x, double y)
{
    // Consecutive explicit points share one run.
    if (m_runs.empty() || m_runs.back().stepX != 0)
        m_runs.push_back({m_values.size(), 0, x, 0, m_explicitX.size()});
    ++m_runs.back().count;
    m_explicitX.push_back(x);
    m_values.push_back(y);
}

size_t AppPoints::RunOf(size_t index) const
{
    const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), index,
                                        [](size_t i, const Run& run) { return i < run.begin; });
    return size_t(after - m_runs.begin()) - 1;
}

double AppPoints::X(size_t index) const
{
    const Run& run = m_runs[RunOf(index)];
    const size_t offset = index - run.begin;
    return run.stepX != 0 ? run.firstX + run.stepX * double(offset) : m_explicitX[run.explicitAt + offset];
}

double AppPoints::X(size_t index, size_t& run) const
{
    if (run >= m_runs.size() || index < m_runs[run].begin || index >= m_runs[run].begin + m_runs[run].count) {
        if (run + 1 < m_runs.size() && index >= m_runs[run + 1].begin &&
            index < m_runs[run + 1].begin + m_runs[run + 1].count)
            ++run;
        else
            run = RunOf(index);
    }
    const Run& r = m_runs[run];
    const size_t offset = index - r.begin;
    return r.stepX != 0 ? r.firstX + r.stepX * double(offset) : m_explicitX[r.explicitAt + offset];
}

size_t AppPoints::LowerBound(double x) const
{
    size_t lo = 0, hi = m_values.size();
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
    size_t lo = 0, hi = m_values.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (X(mid) <= x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

size_t AppPoints::Footprint() const
{
    return m_runs.capacity() * sizeof(Run) + m_values.capacity() * sizeof(double) +
           m_explicitX.capacity() * sizeof(double);
}

}  // namespace ovgApp
