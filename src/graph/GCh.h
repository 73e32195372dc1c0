#pragma once

#include <memory>

#include "graph/GlyphInt.h"
#include "graph/PointRecord.h"

namespace ovgGraph {

class Axis;
struct AxisMapping;
class GdiDrawLineGraphGDIP;
class PlotGenerateLineGraph3;

// The graph-side face of a channel: bound to a time axis and a value axis, it turns the samples in
// the displayed time range into pixel polylines and draws them. It holds no data: the application
// channel supplies the data operations.
class GCh : public GlyphInt {
public:
    // A position in the channel's samples, in ascending time order. Stepping past either end is an
    // error (std::out_of_range "out_of_range 1").
    struct SampleGroup {
        size_t count;
        double lastTime;  // the group's last sample
        double lastValue;
        double minimum;
        double maximum;
    };
    class DataIteratorImpl {
    public:
        virtual ~DataIteratorImpl() = default;
        virtual double GetTime() const = 0;   // seconds
        virtual double GetValue() const = 0;  // INVALID_VALUE or BREAK_VALUE for no data
        virtual std::unique_ptr<DataIteratorImpl> Clone() const = 0;
        virtual void Next() = 0;
        virtual void Prev() = 0;
        virtual bool Equals(const DataIteratorImpl& other) const = 0;
        // Bulk reading for plotting: copies up to `max` samples from here on, stopping at `last`,
        // advances past them and returns how many were read. Implementations over arrays should
        // replace this loop.
        virtual size_t Read(const DataIteratorImpl& last, double* times, double* values, size_t max);
        // Channels that summarise their samples in groups let plotting pass over a whole group
        // that falls into one pixel column. The group starting here (ending at or before `last`),
        // when every sample in it has data; false otherwise and for channels without groups.
        virtual bool PeekGroup(const DataIteratorImpl& last, SampleGroup& group) const;
        // Samples from here to where the next group starts (0: the channel has no groups).
        virtual size_t ToGroupBoundary() const { return 0; }
        // Advances past `count` samples.
        virtual void Skip(size_t count);
    };
    struct DataRange {
        std::unique_ptr<DataIteratorImpl> first;
        std::unique_ptr<DataIteratorImpl> last;  // one past the last sample
    };

    explicit GCh(Glyph* parent);
    ~GCh() override;

    const std::shared_ptr<Axis>& GetTimeAxis() const { return m_timeAxis; }
    const std::shared_ptr<Axis>& GetValueAxis() const { return m_valueAxis; }
    // Binds the channel to its axes (not owned by it: the graph's axis list owns them).
    void SetAxes(std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis);
    GdiDrawLineGraphGDIP& GetDrawer() { return *m_drawer; }
    const GdiDrawLineGraphGDIP& GetDrawer() const { return *m_drawer; }
    PlotGenerateLineGraph3& GetPlotGenerator() { return *m_generator; }
    const Segments& GetSegments() const { return m_segments; }

    // A channel's area follows its axes; setting it does nothing.
    void SetArea(int32_t, int32_t, int32_t, int32_t) override {}
    void SetArea(const Rect&) override {}
    void SetAreaLeft(int32_t) override {}
    void SetAreaRight(int32_t) override {}
    void SetAreaTop(int32_t) override {}
    void SetAreaBottom(int32_t) override {}
    // Re-plots when the channel is marked for it (bit 64), with its axes' current mappings.
    void Layout(uint8_t hint) override;
    // Re-plots against the given mappings. Reads nothing but them and the channel's own data, and
    // writes only the channel's segments: the graph runs it for several channels at once.
    void Replot(const AxisMapping& time, const AxisMapping& value);
    void Draw(QPainter& painter) override;

    // Counts changes of the data, so that the graph re-plots a channel only when its data or
    // its axes' mappings changed.
    uint64_t GetDataVersion() const { return m_dataVersion; }

    // The data the application channel supplies.
    virtual double GetFirstTime() const = 0;
    virtual double GetLastTime() const = 0;
    virtual double GetMaxValue() const = 0;
    virtual double GetMinValue() const = 0;
    virtual double GetAverage() const = 0;
    // The samples covering [timeMin, timeMax], with `before` and `after` samples beyond the ends.
    virtual DataRange CreateDataIterator(double timeMin, double timeMax, int before = -1, int after = 1) const = 0;
    // Whether the channel has samples in [timeMin, timeMax].
    virtual bool HasData(double timeMin, double timeMax) const;

    // 0 no hit, 1 a vertex in the same column (x within 3), 2 a vertex within 3 pixels in x and y,
    // 3 on a drawn segment between two vertices at least 5 pixels apart. The point is in plot pixels.
    // Vertices drawn from group summaries are replaced by those of the raw samples, generated
    // for the few columns around the point.
    int HitTestLine(Point point, PointRecord* hit) const;
    // The vertices of every sample, as the segments would be without group summaries, for the
    // pixel columns [fromX, toX] (plot pixels) and the lines that enter and leave them.
    Segments ExactSegments(int32_t fromX, int32_t toX) const;

protected:
    // Subclasses call this whenever the samples change.
    void DataChanged()
    {
        ++m_dataVersion;
        SetStateBits(kRelayout);
    }

private:
    uint64_t m_dataVersion = 0;
    std::shared_ptr<Axis> m_timeAxis;
    std::shared_ptr<Axis> m_valueAxis;
    std::shared_ptr<GdiDrawLineGraphGDIP> m_drawer;
    std::shared_ptr<PlotGenerateLineGraph3> m_generator;
    Segments m_segments;
    // The mappings of the last re-plot, for generating vertices again around a point.
    std::shared_ptr<AxisMapping> m_plotTime;
    std::shared_ptr<AxisMapping> m_plotValue;
};

}  // namespace ovgGraph
