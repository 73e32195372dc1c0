#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graph/ValueStatistics.h"

namespace OvGraphFileLib {
class GChRawData;
}

namespace ovgApp {

class PrmScaleExpr;

// A channel's points prepared for display: x = the logger's local time in seconds since 1970,
// y = the displayed value. A fixed-interval block is not copied: its run keeps the block (whose
// bytes the file channel shares), its first x and step, and decodes values when they are read, so
// a point costs the block's bytes and a quarter byte of summary. Points without a fixed interval
// (and the breaks between blocks) keep x and y explicitly.
// Every equally spaced run is summarised in groups of kGroup points: the smallest and largest
// value of each, so that plotting can pass over whole groups that fall into one pixel column.
class AppPoints {
public:
    // File value to displayed value: the temperature unit first, then the expression.
    struct Conversion {
        bool toCelsius = false;
        bool toFahrenheit = false;
        std::shared_ptr<const PrmScaleExpr> expr;  // null: no expression of the channel's own
        double operator()(double y) const;
        bool IsIdentity() const { return !toCelsius && !toFahrenheit && !expr; }
    };
    struct Run {
        size_t begin;  // index of the run's first point
        size_t count;
        double firstX;
        double stepX;       // 0 for explicit times
        size_t explicitAt;  // index into the explicit points when stepX is 0
        std::shared_ptr<const OvGraphFileLib::GChRawData> block;  // the equally spaced run's records
        size_t groupAt;     // index of the run's first group summary
    };
    static constexpr size_t kGroup = 64;
    // A whole group of points with data: how many, its last point, its extremes.
    struct Group {
        size_t count;
        double lastX;
        double lastY;
        double minimum;
        double maximum;
    };

    void Clear();
    void SetConversion(Conversion conversion) { m_conversion = std::move(conversion); }
    const Conversion& GetConversion() const { return m_conversion; }
    // Appends the block's records as points stepX apart (not 0: records with times of their own
    // are appended one by one).
    void AppendBlock(std::shared_ptr<const OvGraphFileLib::GChRawData> block, double firstX, double stepX);
    // Appends one point with its own time.
    void AppendPoint(double x, double y);

    size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    double X(size_t index) const;
    double Y(size_t index) const;
    // Reads up to count points from first (xs may be null); returns how many.
    size_t Read(size_t first, size_t count, double* xs, double* ys) const;
    // Calls f(y) for the points [first, end) in order, decoding in chunks.
    template <class F>
    void ForEachY(size_t first, size_t end, F&& f) const
    {
        double chunk[1024];
        while (first < end) {
            const size_t n = Read(first, std::min<size_t>(end - first, 1024), nullptr, chunk);
            for (size_t i = 0; i < n; ++i) f(chunk[i]);
            first += n;
        }
    }
    // The first index whose x is at or after the time (Size() when none).
    size_t LowerBound(double x) const;
    // The first index whose x is after the time.
    size_t UpperBound(double x) const;

    // The summary of the group starting at `index`, when index starts a group of an equally
    // spaced run, the group ends at or before `end` and every point in it has data.
    bool GroupAt(size_t index, size_t end, Group& group) const;
    // Points from index to the next group start of its run, or to the run's end (at least 1).
    size_t ToGroupBoundary(size_t index) const;

    // Largest, smallest and average of the values with data.
    const ovgGraph::ValueStatistics& Statistics() const { return m_statistics; }
    // Bytes held besides the shared blocks' bytes, for the memory benchmark.
    size_t Footprint() const;

private:
    struct Extremes {
        double minimum;  // NaN when the group holds a point without data
        double maximum;
    };
    size_t RunOf(size_t index) const;
    double XIn(const Run& run, size_t index) const;

    Conversion m_conversion;
    std::vector<Run> m_runs;
    std::vector<double> m_explicitX;
    std::vector<double> m_explicitY;
    std::vector<Extremes> m_groups;
    size_t m_size = 0;
    ovgGraph::ValueStatistics m_statistics;
};

}  // namespace ovgApp
