#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The 16-bit codes of one ks2 channel, taken from its 4-byte records. A code decodes through the
// channel type to its stored value; the type's no-data codes, and any code of a 32-bit type, give
// INVALID_VALUE.
class FileKs2ChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKs2ChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKs2ChRawData>(*this); }
    double GetValue(int32_t index) const override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == 2; }
};

}  // namespace OvGraphFileLib
