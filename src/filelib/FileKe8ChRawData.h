#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The 16-bit samples of a ke8 channel. A code decodes through the channel type (its no-data codes
// give INVALID_VALUE); the channel's scale conversion then gives value x factor + offset.
class FileKe8ChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKe8ChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKe8ChRawData>(*this); }
    // The common block fields, then the scale factor and offset as doubles.
    // Throw Result: write locations 800-810 and 2400-2401, read locations 830-839 and 2410-2411.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    double GetValue(int32_t index) const override;
    void GetValues(int32_t first, int32_t count, double* out) const override;

    double GetScaleFactor() const { return m_scaleFactor; }
    double GetScaleOffset() const { return m_scaleOffset; }
    void SetScale(double factor, double offset)
    {
        m_scaleFactor = factor;
        m_scaleOffset = offset;
    }

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 2; }

private:
    // A code's value before the scale conversion.
    static double DecodeCode(int32_t chType, uint16_t code);

    double m_scaleFactor = 1.0;
    double m_scaleOffset = 0.0;
};

}  // namespace OvGraphFileLib
