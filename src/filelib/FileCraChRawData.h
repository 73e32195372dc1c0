#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The records of a cra block: 16 bytes each, a signed 64-bit time in seconds since 1970 UTC and
// the value as a double; a value that is not finite marks the record invalid, as does one at or
// beyond the magnitude of the break marker, which never comes from a file. The records carry their
// own times.
class FileCraChRawData : public GChRawData {
public:
    static constexpr uint8_t kRecordSize = 16;
    FileCraChRawData();

    std::string GetClassName() const override { return "FileCraChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileCraChRawData>(*this); }
    int64_t GetTime(int32_t index) const override;
    double GetValue(int32_t index) const override;
    bool IsEquallySpaced() const override { return false; }
    void DeleteBefore(int64_t time) override { DeleteBeforeByRecordTimes(time); }
    void DeleteAfter(int64_t time) override { DeleteAfterByRecordTimes(time); }
    // The records hold whole seconds: the offset moves them by whole seconds (toward zero).
    void ShiftTime(int64_t offset) override;

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == kRecordSize; }
};

}  // namespace OvGraphFileLib
