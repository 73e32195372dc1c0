#pragma once

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// The records of a kmq channel: 16-bit raw codes at the block's interval; for the types 269, 329,
// 341, 464 and 465 10-byte records (a 64-bit time in seconds, then the code) that carry their own
// times; for the types 589 and 590 unsigned 32-bit counts. Type 146 values are in volts.
class FileKmqChRawData : public GChRawData {
public:
    std::string GetClassName() const override { return "FileKmqChRawData"; }
    std::shared_ptr<GChRawData> Clone() const override { return std::make_shared<FileKmqChRawData>(*this); }
    int64_t GetTime(int32_t index) const override;
    double GetValue(int32_t index) const override;
    void GetValues(int32_t first, int32_t count, double* out) const override;
    bool IsEquallySpaced() const override { return GetElementSize() != 10 && GChRawData::IsEquallySpaced(); }
    void DeleteBefore(int64_t time) override;
    void DeleteAfter(int64_t time) override;
    // Records with their own times (whole seconds) move by whole seconds, toward zero.
    void ShiftTime(int64_t offset) override;

    // Bytes per record of a channel type in a kmq file.
    static uint8_t RecordSize(int32_t chType);
    static bool HasRecordTimes(int32_t chType);
    // The value of a 16-bit code of a type (in 2-byte and 10-byte records).
    static double DecodeCode16(int32_t chType, uint16_t code);

protected:
    bool AcceptsElementSize(uint8_t size) const override { return size == RecordSize(GetChType()); }
};

}  // namespace OvGraphFileLib
