#include <gtest/gtest.h>

#include <sstream>

#include "filelib/ChConstants.h"
#include "filelib/FileKs3.h"
#include "filelib/GCh.h"
#include "fixtures/Ks3Builder.h"

using namespace OvGraphFileLib;
using orvel::fixtures::BuildKs3;
using orvel::fixtures::Ks3ChannelSpec;

namespace {

Result Load(FileKs3& file, const std::string& bytes)
{
    std::istringstream in(bytes);
    return file.Load(in);
}

}  // namespace

TEST(FileKs3, ChannelsAreVoltagesWithTheirIntervalAndScale)
{
    const std::vector<Ks3ChannelSpec> channels = {
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

    // Without an interval the samples cannot be placed apart: all stand at the first time, which
    // is also the channel's last time.
    std::vector<int64_t> times;
    for (const ChSample sample : GCh(*list[2])) times.push_back(sample.time);
    EXPECT_EQ((std::vector<int64_t>{1780000000000, 1780000000000}), times);
    EXPECT_EQ(1780000000000, list[2]->GetLastTime());
}

TEST(FileKs3, AFailedLoadKeepsNothingForALaterSave)
{
    FileKs3 file;
    ASSERT_TRUE(Load(file, BuildKs3({{"V1", 0, 60, 1780000000, 0, 0, "", {1, 2, 3}}})).Ok());
    EXPECT_EQ(55, Load(file, BuildKs3({{"V1", 0, 60, 1780000000, 0, 0, "", {1}}}, "KZ34  ")).code);
    EXPECT_TRUE(file.GetChList().empty());
    std::string cut = BuildKs3({{"V1", 0, 60, 1780000000, 0, 0, "", {1}}, {"V2", 0, 60, 1780000000, 0, 0, "", {2}}});
    cut.resize(cut.size() - 1);
    EXPECT_EQ(52, Load(file, cut).code);
    EXPECT_TRUE(file.GetChList().empty());
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
