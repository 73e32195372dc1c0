#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "filelib/FileKind.h"
#include "filelib/GCh.h"
#include "fixtures/SampleRecordings.h"

using namespace OvGraphFileLib;

// The bundled recordings are exactly what the generator writes, so they can always be made again.
TEST(SampleRecordings, BundledFilesMatchTheGenerator)
{
    for (const auto& sample : orvel::fixtures::BuildSampleRecordings()) {
        std::ifstream in(std::filesystem::path(ORVEL_SAMPLES_DIR) / sample.name, std::ios::binary);
        ASSERT_TRUE(in) << sample.name << " missing: run orvel-make-samples";
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_TRUE(bytes == sample.bytes) << sample.name << " differs from the generator's output";
    }
}

TEST(SampleRecordings, EveryBundledFileLoadsWithPlausibleChannels)
{
    const struct {
        const char* name;
        LoadedChannels (*load)(const std::filesystem::path&);
        size_t channels;
        int32_t firstCount;
        int expectedInvalid;  // samples of the first channel that are no data
        size_t firstBlocks;   // raw data blocks of the first channel
    } rows[] = {
        {"warehouse-week.kmv", LoadChannels, 2, 1152, 36, 1},  // the six-hour gap
        {"gallery-light.kmv", LoadChannels, 4, 432, 0, 1},     // two channels with their cumulative records
        {"freezer-1s.kmv", LoadChannels, 1, 7200, 0, 1},
        {"current-readings.kmq", LoadChannels, 3, 1, 0, 1},
        {"lab-two-days.kmq", LoadChannels, 2, 96, 0, 1},
        {"pump-station.ke8", LoadChannels, 3, 864, 6, 1},  // the loose transmitter cable
        {"greenhouse-bench.kmw", LoadChannels, 3, 192, 0, 1},
        {"delivery-van.ks2", LoadChannels, 2, 144, 0, 1},
        {"tank-levels.ks3", LoadChannels, 2, 576, 0, 1},
        {"inspection-rounds.cra", LoadChannels, 2, 33, 1, 1},  // the failed reading
        // Three blocks sent, the second connected to the first: two blocks with a gap between.
        {"web-storage-answer.json", LoadWebStorageChannels, 2, 324, 0, 2},
        {"climate-chamber.kn1", LoadChannels, 3, 720, 0, 1},
        {"boiler-room.kn2", LoadChannels, 3, 288, 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const LoadedChannels loaded = row.load(std::filesystem::path(ORVEL_SAMPLES_DIR) / row.name);
        ASSERT_TRUE(loaded.result.Ok()) << loaded.result.Message();
        ASSERT_EQ(row.channels, loaded.channels.size());
        const GCh first(*loaded.channels[0]);
        EXPECT_EQ(row.firstCount, first.GetDataCount());
        EXPECT_EQ(row.firstBlocks, loaded.channels[0]->GetRawData().size());
        int invalid = 0;
        for (const ChSample sample : first) {
            if (sample.value == BREAK_VALUE) continue;  // the gap between two blocks
            invalid += sample.value == INVALID_VALUE;
            if (sample.value != INVALID_VALUE) {
                EXPECT_LT(std::abs(sample.value), 2000) << sample.time;
            }
        }
        EXPECT_EQ(row.expectedInvalid, invalid);
    }
}
