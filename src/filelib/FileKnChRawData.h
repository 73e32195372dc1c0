#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The samples of one kn1 input: 16-bit codes at the scan interval. A code decodes through the
// channel type to its stored value; the type's no-data codes, and any code of a 32-bit type, give
// INVALID_VALUE.
class FileKn1ChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKn1ChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKn1ChRawData>(*this); }
    double GetValue(int32_t index) const override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 2; }
};

// The samples of one kn2 input: codes of the channel type's own width (16 bits, or 32 bits for the
// cumulative pulse counts) at the scan interval. A block whose record width is not its type's
// gives INVALID_VALUE.
class FileKn2ChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKn2ChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKn2ChRawData>(*this); }
    double GetValue(int32_t index) const override;
};

}  // namespace OvGraphFileLib
