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
        size_t channels;
        int32_t firstCount;
        int expectedInvalid;  // samples of the first channel that are no data
    } rows[] = {
        {"warehouse-week.kmv", 2, 1152, 36},  // the six-hour gap
        {"gallery-light.kmv", 4, 432, 0},     // two channels with their cumulative records
        {"freezer-1s.kmv", 1, 7200, 0},
        {"current-readings.kmq", 3, 1, 0},
        {"lab-two-days.kmq", 2, 96, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const LoadedChannels loaded = LoadChannels(std::filesystem::path(ORVEL_SAMPLES_DIR) / row.name);
        ASSERT_TRUE(loaded.result.Ok()) << loaded.result.Message();
        ASSERT_EQ(row.channels, loaded.channels.size());
        const GCh first(*loaded.channels[0]);
        EXPECT_EQ(row.firstCount, first.GetDataCount());
        int invalid = 0;
        for (const ChSample sample : first) {
            invalid += sample.value == INVALID_VALUE;
            if (sample.value != INVALID_VALUE) {
                EXPECT_LT(std::abs(sample.value), 2000) << sample.time;
            }
        }
        EXPECT_EQ(row.expectedInvalid, invalid);
    }
}
