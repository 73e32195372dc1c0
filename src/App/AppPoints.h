#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovgApp {

// A channel's points prepared for display: x = the logger's local time in seconds since 1970,
// y = the displayed value. A fixed-interval block keeps only its first x and step, so a point
// costs its 8-byte value plus a share of one run record; blocks without a fixed interval keep
// their times explicitly.
class AppPoints {
public:
    struct Run {
        size_t begin;     // index of the run's first point
        size_t count;
        double firstX;
        double stepX;     // 0 for explicit times
        size_t explicitAt;  // index into the explicit times when stepX is 0
    };

    void Clear();
    // Appends a run of equally spaced points.
    void AppendSpaced(double firstX, double stepX, const double* values, size_t count);
    // Appends one point with its own time.
    void AppendPoint(double x, double y);

    size_t Size() const { return m_values.size(); }
    bool Empty() const { return m_values.empty(); }
    double X(size_t index) const;
    // X for walking the points in order: `run` remembers where the last lookup was.
    double X(size_t index, size_t& run) const;
    double Y(size_t index) const { return m_values[index]; }
    double& YRef(size_t index) { return m_values[index]; }
    // The Y values in order, Size() of them.
    const double* YData() const { return m_values.data(); }
    // The first index whose x is at or after the time (Size() when none).
    size_t LowerBound(double x) const;
    // The first index whose x is after the time.
    size_t UpperBound(double x) const;
    const std::vector<Run>& Runs() const { return m_runs; }
    // Bytes held, for the memory benchmark.
    size_t Footprint() const;

private:
    size_t RunOf(size_t index) const;

    std::vector<Run> m_runs;
    std::vector<double> m_values;
    std::vector<double> m_explicitX;
};

}  // namespace ovgApp
