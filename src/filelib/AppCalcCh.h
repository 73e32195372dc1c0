#pragma once

#include "filelib/CalcCh.h"

namespace OvGraphFileLib {

// A calculated channel of the older stored form: attributes, then (time, value) pairs of doubles
// with the time in seconds since 1970. The pairs become one block of explicit records. Two 16-bit
// values and a first text of that form have no use here; they are kept and written back.
class AppCalcCh : public CalcCh {
public:
    // Throw Result: write locations 9040-9052, read locations 9060-9072.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "AppCalcCh"; }
    std::shared_ptr<ICh> Clone() const override { return std::make_shared<AppCalcCh>(*this); }

private:
    uint16_t m_keptValue1 = 0;
    uint16_t m_keptValue2 = 0;
    std::u16string m_keptText;
};

}  // namespace OvGraphFileLib
