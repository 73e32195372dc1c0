#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The 16-bit samples of a kmv channel. Besides the type's no-data codes, codes above the type's
// largest valid code (above 39399 for UV) are invalid. Type 13 stores -273.0 to -100.1 degrees
// as the codes 31037 to 32766 (code - 32767 is the signed raw code).
class FileKmvChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKmvChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKmvChRawData>(*this); }
    double GetValue(int32_t index) const override;
    void GetValues(int32_t first, int32_t count, double* out) const override;

    // The value of one code of a type, by the rules above.
    static double DecodeCode(int32_t chType, uint16_t code);

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 2; }
};

}  // namespace OvGraphFileLib
