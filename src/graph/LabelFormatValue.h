#pragma once

#include <cstdint>

#include "graph/LabelFormat.h"

namespace ovgGraph {

// A value label in fixed-point notation with a set number of decimal places ("12.5" with 1).
class LabelFormatValue : public LabelFormat {
public:
    // More places than this are printed as this many: a double holds no more digits, and a
    // hostile stored count must not size a huge text.
    static constexpr int32_t kMaxDecimalPlaces = 20;

    explicit LabelFormatValue(Observer* owner = nullptr) : LabelFormat(owner) {}

    std::shared_ptr<LabelFormat> Clone() const override;
    // With N > 0 places, the value correctly rounded to N decimals; with N = 0 (or less), rounded
    // half away from zero to a whole number ("-2.5" gives "-3"). A result that reads as zero
    // carries no minus sign. The decimal point is always '.'.
    QString Format(double value) const override;

    int32_t GetDecimalPlaces() const { return m_decimalPlaces; }
    void SetDecimalPlaces(int32_t places);

private:
    int32_t m_decimalPlaces = 1;
};

}  // namespace ovgGraph
