#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "filelib/GChRawData.h"
#include "filelib/GChRawDataFactory.h"
#include "filelib/ICh.h"
#include "filelib/Result.h"

// Fixtures for the stored forms of channels and raw data blocks, built field by field.
namespace orvel::test {

// The location numbers a writer and a reader report when the stream fails inside a field.
struct Loc {
    int32_t save;
    int32_t load;
};

// Little-endian bytes of a stored channel or block. Each field remembers its locations, so a test
// can cut the stream anywhere and name the field the reader must report.
class ChannelBytes {
public:
    struct Field {
        size_t end;
        Loc loc;
    };

    template <class T>
    ChannelBytes& Num(T value, Loc loc)
    {
        uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof(T));
        m_bytes.append(raw, raw + sizeof(T));
        return Mark(loc);
    }
    // Unsigned 16-bit byte count, then the UTF-16LE code units.
    ChannelBytes& Text(std::u16string_view text, Loc loc)
    {
        Num(uint16_t(text.size() * 2), loc);
        for (char16_t c : text) Num(uint16_t(c), loc);
        return *this;
    }
    ChannelBytes& Raw(const std::vector<uint8_t>& bytes, Loc loc)
    {
        m_bytes.append(bytes.begin(), bytes.end());
        return Mark(loc);
    }

    const std::string& Str() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }
    // The field that holds byte `offset`: where a reader stops when the stream ends before it.
    Loc LocAt(size_t offset) const
    {
        const auto field = std::find_if(m_fields.begin(), m_fields.end(),
                                        [offset](const Field& f) { return offset < f.end; });
        return field == m_fields.end() ? Loc{-1, -1} : field->loc;
    }

private:
    ChannelBytes& Mark(Loc loc)
    {
        m_fields.push_back({m_bytes.size(), loc});
        return *this;
    }

    std::string m_bytes;
    std::vector<Field> m_fields;
};

// The fields of a raw data block in stored order.
struct BlockFields {
    std::string className;
    int32_t chType;
    int64_t firstTime;
    int64_t lastTime;
    int32_t countFlag;
    int32_t counter;
    int64_t interval;
    int32_t count;
    uint8_t elementSize;
    std::vector<uint8_t> data;
};

// Appends a block as every block class stores it (locations 800-809 writing, 830-839 reading).
inline ChannelBytes& AppendBlock(ChannelBytes& bytes, const BlockFields& b)
{
    return bytes.Num(uint8_t(0), {800, 830})
        .Num(b.chType, {801, 831})
        .Num(b.firstTime, {802, 832})
        .Num(b.lastTime, {803, 833})
        .Num(b.countFlag, {804, 834})
        .Num(b.counter, {805, 835})
        .Num(b.interval, {806, 836})
        .Num(b.count, {807, 837})
        .Num(b.elementSize, {808, 838})
        .Raw(b.data, {809, 839});
}

// The same block as an object of its class.
inline std::shared_ptr<OvGraphFileLib::GChRawData> MakeBlock(const BlockFields& b)
{
    auto block = OvGraphFileLib::GChRawDataFactory::Instance().Create(b.className);
    block->SetChType(b.chType);
    block->SetFirstTime(b.firstTime);
    block->SetLastTime(b.lastTime);
    block->SetCountFlag(b.countFlag);
    block->SetCounter(b.counter);
    block->SetInterval(b.interval);
    block->SetCount(b.count);
    block->SetElementSize(b.elementSize);
    block->GetData().assign(b.data.begin(), b.data.end());
    return block;
}

// 16-bit raw codes as a block stores them.
inline std::vector<uint8_t> Codes16(std::initializer_list<uint16_t> codes)
{
    std::vector<uint8_t> bytes;
    for (uint16_t c : codes) bytes.insert(bytes.end(), {uint8_t(c), uint8_t(c >> 8)});
    return bytes;
}

inline std::vector<uint8_t> LittleEndian64(uint64_t v)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 8; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    return bytes;
}

// Doubles as RawDataValidInterval stores them, and (time, double) pairs as RawDataInvalidInterval does.
inline std::vector<uint8_t> Doubles(std::initializer_list<double> values)
{
    std::vector<uint8_t> bytes;
    for (double v : values) {
        const auto le = LittleEndian64(std::bit_cast<uint64_t>(v));
        bytes.insert(bytes.end(), le.begin(), le.end());
    }
    return bytes;
}

inline std::vector<uint8_t> TimedDoubles(std::initializer_list<std::pair<int64_t, double>> records)
{
    std::vector<uint8_t> bytes;
    for (const auto& [time, value] : records) {
        const auto t = LittleEndian64(uint64_t(time));
        const auto v = Doubles({value});
        bytes.insert(bytes.end(), t.begin(), t.end());
        bytes.insert(bytes.end(), v.begin(), v.end());
    }
    return bytes;
}

inline void ExpectSameBlock(const OvGraphFileLib::GChRawData& expected,
                            const OvGraphFileLib::GChRawData& actual)
{
    EXPECT_EQ(expected.GetClassName(), actual.GetClassName());
    EXPECT_EQ(expected.GetChType(), actual.GetChType());
    EXPECT_EQ(expected.GetFirstTime(), actual.GetFirstTime());
    EXPECT_EQ(expected.GetLastTime(), actual.GetLastTime());
    EXPECT_EQ(expected.GetCountFlag(), actual.GetCountFlag());
    EXPECT_EQ(expected.GetCounter(), actual.GetCounter());
    EXPECT_EQ(expected.GetInterval(), actual.GetInterval());
    EXPECT_EQ(expected.GetCount(), actual.GetCount());
    EXPECT_EQ(expected.GetElementSize(), actual.GetElementSize());
    EXPECT_EQ(expected.GetData(), actual.GetData());
}

// Every attribute and every block of two channels.
inline void ExpectSameChannel(const OvGraphFileLib::ICh& expected, const OvGraphFileLib::ICh& actual)
{
    EXPECT_EQ(expected.GetSerialNo(), actual.GetSerialNo());
    EXPECT_EQ(expected.GetModel(), actual.GetModel());
    EXPECT_EQ(expected.GetBaseName(), actual.GetBaseName());
    EXPECT_EQ(expected.GetLoggerName(), actual.GetLoggerName());
    EXPECT_EQ(expected.GetChName(), actual.GetChName());
    EXPECT_EQ(expected.GetInterval(), actual.GetInterval());
    EXPECT_EQ(expected.GetDataCount(), actual.GetDataCount());
    EXPECT_EQ(expected.GetChType(), actual.GetChType());
    EXPECT_EQ(expected.GetDecimalPlaces(), actual.GetDecimalPlaces());
    EXPECT_EQ(expected.GetUpperLimit(), actual.GetUpperLimit());
    EXPECT_EQ(expected.GetLowerLimit(), actual.GetLowerLimit());
    EXPECT_EQ(expected.GetFirstTime(), actual.GetFirstTime());
    EXPECT_EQ(expected.GetLastTime(), actual.GetLastTime());
    EXPECT_EQ(expected.GetTimeDiff(), actual.GetTimeDiff());
    EXPECT_EQ(expected.GetStdBias(), actual.GetStdBias());
    EXPECT_EQ(expected.GetDstBias(), actual.GetDstBias());
    EXPECT_EQ(expected.GetAuxText(), actual.GetAuxText());
    EXPECT_EQ(expected.GetScaleExpr(), actual.GetScaleExpr());
    EXPECT_EQ(expected.GetRecordProp(), actual.GetRecordProp());
    const OvGraphFileLib::RawDataList a = expected.GetRawData(), b = actual.GetRawData();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) ExpectSameBlock(*a[i], *b[i]);
}

// The Result an operation throws, or success.
template <class F>
OvGraphFileLib::Result ResultOf(F&& operation)
{
    try {
        operation();
    } catch (const OvGraphFileLib::Result& result) {
        return result;
    }
    return {};
}

template <class T>
std::string Saved(const T& object)
{
    std::ostringstream out;
    object.SaveImpl(out);
    return out.str();
}

template <class T>
OvGraphFileLib::Result LoadInto(T& object, const std::string& bytes)
{
    std::istringstream in(bytes);
    return ResultOf([&] { object.LoadImpl(in); });
}

// A device that takes `limit` bytes and then refuses every write, as a full disk does.
class LimitedBuf : public std::streambuf {
public:
    explicit LimitedBuf(size_t limit) : m_left(limit) {}

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()) || m_left == 0) return traits_type::eof();
        --m_left;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        const auto taken = std::min<std::streamsize>(n, std::streamsize(m_left));
        m_left -= size_t(taken);
        return taken;
    }

private:
    size_t m_left;
};

// Loads every proper prefix of the bytes: each fails with code 52 at the field that holds the
// first missing byte.
template <class T>
void ExpectEveryCutNamesItsField(const ChannelBytes& bytes)
{
    for (size_t cut = 0; cut < bytes.Size(); ++cut) {
        T object;
        const OvGraphFileLib::Result r = LoadInto(object, bytes.Str().substr(0, cut));
        EXPECT_EQ(OvGraphFileLib::kReadFailed, r.code) << "cut at " << cut;
        EXPECT_EQ(bytes.LocAt(cut).load, r.location) << "cut at " << cut;
    }
}

// Saves the object into devices that fill up after every possible length: each save fails with
// code 51 at the field whose bytes did not fit.
template <class T>
void ExpectEveryFullDeviceNamesItsField(const T& object, const ChannelBytes& bytes)
{
    for (size_t limit = 0; limit < bytes.Size(); ++limit) {
        LimitedBuf device(limit);
        std::ostream out(&device);
        const OvGraphFileLib::Result r = ResultOf([&] { object.SaveImpl(out); });
        EXPECT_EQ(OvGraphFileLib::kWriteFailed, r.code) << "limit " << limit;
        EXPECT_EQ(bytes.LocAt(limit).save, r.location) << "limit " << limit;
    }
}

}  // namespace orvel::test
