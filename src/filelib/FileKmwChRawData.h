#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The 16-bit samples of a kmw channel. Temperature and humidity codes decode as kmv samples do
// (the kmv invalid ranges, -273.0 to -100.1 degrees as the codes 31037 to 32766); voltage codes
// (type 146) are signed and only the type's no-data codes are invalid.
class FileKmwChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKmwChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKmwChRawData>(*this); }
    double GetValue(int32_t index) const override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 2; }
};

}  // namespace OvGraphFileLib
