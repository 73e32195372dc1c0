#include <gtest/gtest.h>

#include "FuzzNetTargets.h"
#include "FuzzReplay.h"

// The fuzz corpora of the update server's answers and settings, replayed under the sanitizers.
TEST(FuzzCorpus, UpdateInputsReplayCleanly)
{
    const int replayed =
        ReplayFuzzCorpus(ORVEL_FUZZ_CASES, {{"fuzz_update_answer", FuzzUpdateAnswer}, {"fuzz_update_config", FuzzUpdateConfig}});
    EXPECT_GT(replayed, 0);
}
