#include <gtest/gtest.h>

#include <sstream>

#include "filelib/ChConstants.h"
#include "filelib/FileKs3.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"

using namespace OvGraphFileLib;

namespace {

struct Ks3Channel {
    std::string name = "V1";
    uint8_t intervalUnit = 0;  // 0 seconds, 1 milliseconds
    uint32_t interval = 60;
    uint32_t start = 1780000000;
    double factor = 0, offset = 0;
    std::string unit;
    std::vector<uint16_t> codes;
};

// A ks3 file byte by byte: 128-byte header, then per channel the 256-byte block header, the
// samples and the padding to 16 bytes.
std::string BuildKs3(const std::vector<Ks3Channel>& channels, const char* magic = "KZ33  ")
{
    std::vector<uint8_t> bytes(128, 0);
    std::copy(magic, magic + 6, bytes.begin());
    Stuff::StoreU32(&bytes[6], channels.size() >= 32 ? 0xFFFFFFFFu : (1u << channels.size()) - 1);
    for (const Ks3Channel& ch : channels) {
        std::vector<uint8_t> header(256, 0);
        std::copy(ch.name.begin(), ch.name.end(), header.begin() + 12);
        header[53] = ch.intervalUnit;
        Stuff::StoreU32(&header[54], ch.interval);
        Stuff::StoreU32(&header[83], ch.start);
        Stuff::StoreU32(&header[110], uint32_t(ch.codes.size()));
        Stuff::StoreDouble(&header[176], ch.factor);
        Stuff::StoreDouble(&header[184], ch.offset);
        std::copy(ch.unit.begin(), ch.unit.end(), header.begin() + 192);
        bytes.insert(bytes.end(), header.begin(), header.end());
        for (const uint16_t code : ch.codes) {
            bytes.push_back(uint8_t(code));
            bytes.push_back(uint8_t(code >> 8));
        }
        bytes.resize(bytes.size() + ((ch.codes.size() * 2 + 15) & ~size_t(15)) - ch.codes.size() * 2, 0);
    }
    return {bytes.begin(), bytes.end()};
}

Result Load(FileKs3& file, const std::string& bytes)
{
    std::istringstream in(bytes);
    return file.Load(in);
}

}  // namespace

TEST(FileKs3, ChannelsAreVoltagesWithTheirIntervalAndScale)
{
    const std::vector<Ks3Channel> channels = {
        {"V1", 0, 60, 1780000000, 2.5, -1.25, "kPa", {1200, 0x8000, 0x4005}},
        {"V2", 1, 500, 1780000000, 0, 0, "", {7}},
        {"V3", 2, 60, 1780000000, 0, 0, "", {1, 2}},
    };
    FileKs3 file;
    ASSERT_TRUE(Load(file, BuildKs3(channels)).Ok());
    const ChList list = file.GetChList();
    ASSERT_EQ(3u, list.size());
    const struct {
        int64_t interval;
        std::u16string scale;
    } rows[] = {
        {60000, u"2.500000\n-1.250000\n0\nkPa\n"},
        {500, u"\n\n\n\n"},  // factor and offset both zero: an empty expression
        {-1, u"\n\n\n\n"},   // interval unit 2: no interval
    };
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(384, list[i]->GetChType()) << i;
        EXPECT_EQ(rows[i].interval, list[i]->GetInterval()) << i;
        EXPECT_EQ(rows[i].scale, list[i]->GetScaleExpr()) << i;
    }
    EXPECT_EQ(u"V1", list[0]->GetChName());
    EXPECT_EQ(1780000000000, list[0]->GetFirstTime());
    EXPECT_EQ(1780000120000, list[0]->GetLastTime());
    const GCh copy(*list[0]);
    std::vector<double> values;
    for (const ChSample sample : copy) values.push_back(sample.value);
    // Millivolts in bits 0-13 as volts; bit 15 marks no data; bit 14 a negative value.
    EXPECT_EQ((std::vector<double>{1.2, INVALID_VALUE, -0.005}), values);
}

TEST(FileKs3, RefusedAndTruncatedFiles)
{
    const std::string good = BuildKs3({{"V1", 0, 60, 1780000000, 0, 0, "", {1, 2, 3}}});
    const struct {
        const char* what;
        std::string bytes;
        int32_t code, location;
    } rows[] = {
        {"magic with one space", BuildKs3({}, "KZ33 x"), 55, 4211},
        {"another magic", BuildKs3({}, "KZ34  "), 55, 4211},
        {"short header", good.substr(0, 100), 52, 4210},
        {"short block header", good.substr(0, 128 + 200), 52, 4110},
        {"short samples", good.substr(0, 128 + 256 + 3), 52, 4111},
        {"short padding", good.substr(0, 128 + 256 + 6 + 4), 52, 4112},
    };
    for (const auto& row : rows) {
        FileKs3 file;
        const Result result = Load(file, row.bytes);
        EXPECT_EQ(row.code, result.code) << row.what;
        EXPECT_EQ(row.location, result.location) << row.what;
    }
}

TEST(FileKs3, SavingGivesTheBytesBack)
{
    const std::string bytes = BuildKs3({{"V1", 0, 60, 1780000000, 1.5, 2, "mA", {1, 2, 3}}, {"V2", 1, 10, 1780000000, 0, 0, "", {9}}});
    FileKs3 file;
    ASSERT_TRUE(Load(file, bytes).Ok());
    std::ostringstream out;
    ASSERT_TRUE(file.Save(out).Ok());
    EXPECT_TRUE(out.str() == bytes);
}
