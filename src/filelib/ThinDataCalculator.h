#pragma once

#include <cstdint>
#include <memory>

namespace OvGraphFileLib {

// The arithmetic of one thinning window. The thinning walk resets a calculator at the start of
// every window, adds the window's values in time order (INVALID_VALUE for missing samples,
// BREAK_VALUE where one raw data block ends and the next begins) and closes the window with
// GetResult and GetTime. Times are milliseconds.
class ThinDataCalculator {
public:
    virtual ~ThinDataCalculator() = default;
    virtual void Reset() = 0;
    virtual void Add(double value) = 0;
    // The window's value. Not lenient (0): a block break seen gives BREAK_VALUE, else an invalid
    // sample seen gives INVALID_VALUE. Lenient: such values are skipped. A window without valid
    // values gives INVALID_VALUE.
    virtual double GetResult(uint32_t lenient) const = 0;
    // The time the window's value is stamped with.
    virtual int64_t GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const = 0;

protected:
    // Clears the flags and the count and starts the accumulator at `start`.
    void Restart(double start);
    // Records a mark (invalid or break); true when the value is a valid sample to accumulate.
    bool Take(double value);
    // The rule above, with `value` the result over the valid values.
    double Combined(uint32_t lenient, double value) const;
    // Window end minus the channel's interval (minus 1 ms without a fixed interval).
    static int64_t LastRecordTime(int64_t windowStart, int64_t windowLength, int64_t chInterval);

    bool m_invalidSeen = false;
    bool m_breakSeen = false;
    int32_t m_count = 0;
    double m_accumulator = 0;
};

// Method 0: the first value added to the window, whatever it is; stamped with the window start.
// A window without values gives BREAK_VALUE, so it ends the output block.
class ThinDataCalcSmp : public ThinDataCalculator {
public:
    void Reset() override;
    void Add(double value) override;
    double GetResult(uint32_t lenient) const override;
    int64_t GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const override;
};

// Methods 1 to 4 combine the window's valid values and are stamped with the time of the window's
// last record (window end minus the channel's interval).
class ThinDataCalcMin : public ThinDataCalculator {
public:
    void Reset() override;
    void Add(double value) override;
    double GetResult(uint32_t lenient) const override;
    int64_t GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const override;
};

class ThinDataCalcMax : public ThinDataCalculator {
public:
    void Reset() override;
    void Add(double value) override;
    double GetResult(uint32_t lenient) const override;
    int64_t GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const override;
};

class ThinDataCalcSum : public ThinDataCalculator {
public:
    void Reset() override;
    void Add(double value) override;
    double GetResult(uint32_t lenient) const override;
    int64_t GetTime(int64_t windowStart, int64_t windowLength, int64_t chInterval) const override;
};

// The sum divided by the number of valid values.
class ThinDataCalcAve : public ThinDataCalcSum {
public:
    double GetResult(uint32_t lenient) const override;
};

// The calculator of a method number (0 sample, 1 minimum, 2 maximum, 3 sum, 4 average); null
// for any other number.
std::unique_ptr<ThinDataCalculator> CreateThinDataCalculator(int32_t method);

}  // namespace OvGraphFileLib
