#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "filelib/ChConstants.h"
#include "filelib/FileCra.h"
#include "filelib/GCh.h"
#include "fixtures/CraBuilder.h"

using namespace OvGraphFileLib;
using orvel::fixtures::BuildCra;
using orvel::fixtures::CraBlockSpec;

namespace {

Result Load(FileCra& file, const std::string& bytes)
{
    std::istringstream in(bytes);
    return file.Load(in);
}

const std::vector<CraBlockSpec> kTwoBlocks = {
    {"Room", 13, 0x3, 10.0, 30.0, 0x5A000001, 1, 32400000, {{1780000000, 21.5}, {1780000090, std::nan("")}, {1780000300, 22.0}}},
    {"Door", 77, 0x0, 0, 0, 7, 0, NOT_GIVEN, {{1780000005, 3}}},
};

}  // namespace

TEST(FileCra, BlocksBecomeChannelsWithTheirOwnRecordTimes)
{
    FileCra file;
    ASSERT_TRUE(Load(file, BuildCra(kTwoBlocks)).Ok());
    const ChList channels = file.GetChList();
    ASSERT_EQ(2u, channels.size());
    const ICh& room = *channels[0];
    EXPECT_EQ(u"Room", room.GetChName());
    EXPECT_EQ(13, room.GetChType());
    EXPECT_EQ(0x5A000001u, room.GetSerialNo());
    EXPECT_EQ(30.0, room.GetUpperLimit());
    EXPECT_EQ(10.0, room.GetLowerLimit());
    EXPECT_EQ(32400000, room.GetTimeDiff());
    EXPECT_EQ(-1, room.GetInterval());
    EXPECT_EQ(3, room.GetDataCount());
    EXPECT_EQ(1780000000000, room.GetFirstTime());
    EXPECT_EQ(1780000300000, room.GetLastTime());
    const GCh copy(room);
    std::vector<std::pair<int64_t, double>> samples;
    for (const ChSample sample : copy) samples.emplace_back(sample.time, sample.value);
    EXPECT_EQ((std::vector<std::pair<int64_t, double>>{
                  {1780000000000, 21.5}, {1780000090000, INVALID_VALUE}, {1780000300000, 22.0}}),
              samples);
    const ICh& door = *channels[1];
    EXPECT_EQ(NO_UPPER_LIMIT, door.GetUpperLimit());  // no limit flags
    EXPECT_EQ(NO_LOWER_LIMIT, door.GetLowerLimit());
    EXPECT_EQ(NOT_GIVEN, door.GetTimeDiff());
}

TEST(FileCra, RefusedHeadersAndBlocks)
{
    std::vector<CraBlockSpec> reversed = kTwoBlocks;
    reversed[0].lowerLimit = 40;  // above the upper limit while a limit flag is set
    const struct {
        const char* what;
        std::string bytes;
        int32_t code, location;
    } rows[] = {
        {"empty", "", 52, 1010},
        {"short header", BuildCra(kTwoBlocks).substr(0, 95), 52, 1010},
        {"not CRA", BuildCra(kTwoBlocks, "CRB"), 53, 1011},
        {"newer version", BuildCra(kTwoBlocks, "CRA", 2), 54, 1012},
        {"limits out of order", BuildCra(reversed), 55, 1120},
        {"more blocks than the file holds", BuildCra(kTwoBlocks, "CRA", 1, 4'000'000'000u), 52, 1110},
    };
    for (const auto& row : rows) {
        // A reader that held a good file keeps nothing of it, nor of the refused one.
        FileCra file;
        ASSERT_TRUE(Load(file, BuildCra(kTwoBlocks)).Ok());
        const Result result = Load(file, row.bytes);
        EXPECT_EQ(row.code, result.code) << row.what;
        EXPECT_EQ(row.location, result.location) << row.what;
        EXPECT_TRUE(file.GetChList().empty()) << row.what;
    }
    FileCra file;
    EXPECT_EQ("このファイルは新しいOrvel Graphで保存したファイルです。このファイルを読み込むためにOrvel "
              "Graphをバージョンアップして下さい。(1012)",
              Load(file, BuildCra(kTwoBlocks, "CRA", 2)).Message());
}

TEST(FileCra, TruncationFailsAtTheFieldBeingRead)
{
    const std::string bytes = BuildCra(kTwoBlocks);
    const size_t firstBlockData = 96 + 128;
    for (size_t length = 0; length < bytes.size(); ++length) {
        FileCra file;
        const Result result = Load(file, bytes.substr(0, length));
        EXPECT_EQ(52, result.code) << length;
        int32_t expected;
        if (length < 96)
            expected = 1010;
        else if (length < firstBlockData)
            expected = 1110;
        else if (length < firstBlockData + 3 * 16)
            expected = 1111;
        else if (length < firstBlockData + 3 * 16 + 128)
            expected = 1110;
        else
            expected = 1111;
        EXPECT_EQ(expected, result.location) << length;
    }
}

TEST(FileCra, SavingGivesTheBytesBackAndChannelsStoreThemselves)
{
    const std::string bytes = BuildCra(kTwoBlocks);
    FileCra file;
    ASSERT_TRUE(Load(file, bytes).Ok());
    std::ostringstream out;
    ASSERT_TRUE(file.Save(out).Ok());
    EXPECT_TRUE(out.str() == bytes);

    std::ostringstream stored;
    file.Channels()[0]->SaveImpl(stored);
    FileCraCh again;
    std::istringstream in(stored.str());
    again.LoadImpl(in);
    EXPECT_EQ(u"Room", again.GetChName());
    EXPECT_EQ(3, again.GetDataCount());
}
