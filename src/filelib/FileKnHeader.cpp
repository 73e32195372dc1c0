#include "filelib/FileKnHeader.h"

#include <cmath>
#include <limits>

#include "filelib/ChConstants.h"
#include "filelib/Result.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {

constexpr uint8_t kUpperGiven = 1;
constexpr uint8_t kLowerGiven = 2;
constexpr size_t kChNameSize = 24;
constexpr size_t kLoggerNameSize = 32;

double Limit(const uint8_t* entry, uint8_t flag, size_t offset, double none)
{
    const double limit = Stuff::LoadDouble(entry + offset);
    return (entry[4] & flag) && std::isfinite(limit) ? limit : none;
}

}  // namespace

bool FileKnSettingsTable::IsRecorded(int input) const { return Entry(input)[0] != 0; }

int FileKnSettingsTable::RecordedCount() const
{
    int count = 0;
    for (int input = 0; input < kInputs; ++input) count += IsRecorded(input);
    return count;
}

int8_t FileKnSettingsTable::DecimalPlaces(int input) const { return int8_t(Entry(input)[1]); }
uint16_t FileKnSettingsTable::ChType(int input) const { return Stuff::LoadU16(Entry(input) + 2); }
double FileKnSettingsTable::UpperLimit(int input) const { return Limit(Entry(input), kUpperGiven, 8, NO_UPPER_LIMIT); }
double FileKnSettingsTable::LowerLimit(int input) const { return Limit(Entry(input), kLowerGiven, 16, NO_LOWER_LIMIT); }
std::u16string FileKnSettingsTable::ChName(int input) const { return TextCodec::FromCp932(Entry(input) + 24, kChNameSize); }

uint16_t FileKnFileHeader::Version() const { return Stuff::LoadU16(&bytes[8]); }
uint16_t FileKnFileHeader::RecordedInputs() const { return Stuff::LoadU16(&bytes[10]); }
uint32_t FileKnFileHeader::SerialNo() const { return Stuff::LoadU32(&bytes[12]); }
std::u16string FileKnFileHeader::LoggerName() const { return TextCodec::FromCp932(&bytes[16], kLoggerNameSize); }
int64_t FileKnFileHeader::FirstTime() const { return int64_t(Stuff::LoadU64(&bytes[48])); }
uint32_t FileKnFileHeader::Interval() const { return Stuff::LoadU32(&bytes[56]); }

int64_t FileKnFileHeader::TimeDiff() const
{
    const auto minutes = int32_t(Stuff::LoadU32(&bytes[60]));
    return minutes == std::numeric_limits<int32_t>::min() ? NOT_GIVEN : int64_t(minutes) * 60'000;
}

void FileKnBlock::Read(std::istream& in, int32_t location, const char* where)
{
    bytes.clear();
    const int64_t remaining = Stuff::RemainingBytes(in);
    if (remaining > 0) bytes.reserve(size_t(remaining));
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    }
    if (in.bad() || !in.eof()) ThrowResult(kReadFailed, location, where);
}

}  // namespace OvGraphFileLib
