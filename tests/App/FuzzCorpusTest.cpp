#include <gtest/gtest.h>

#include "FuzzAppTargets.h"
#include "FuzzReplay.h"

// The fuzz corpora of the graph document, the graph state, the scale expression file and the
// channels' scale expression texts, replayed under the sanitizers.
TEST(FuzzCorpus, DocumentAndSettingsInputsReplayCleanly)
{
    const int replayed = ReplayFuzzCorpus(ORVEL_FUZZ_CASES, {{"fuzz_kmb", FuzzKmb},
                                                             {"fuzz_graph_state", FuzzGraphState},
                                                             {"fuzz_prm", FuzzPrm},
                                                             {"fuzz_scale_expr", FuzzScaleExpr}});
    EXPECT_GT(replayed, 0);
}
