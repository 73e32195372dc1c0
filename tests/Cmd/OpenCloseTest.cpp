#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "AllocationProbe.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "App/FileLoader.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrLoadFiles.h"
#include "graph/Graph.h"

using namespace ovgApp;

// Opening recordings and closing them again, a thousand times in one process, leaves the heap as
// it was: nothing of a closed document stays behind. (Heap bytes, not the resident size, which
// the address sanitizer's quarantine of freed memory would swamp; the benchmarks measure that.)
TEST(OpenAndClose, AThousandCyclesLeaveTheHeapAsItWas)
{
    const QStringList paths = {QStringLiteral(ORVEL_SAMPLES_DIR "/warehouse-week.kmv"),
                               QStringLiteral(ORVEL_SAMPLES_DIR "/lab-two-days.kmq"),
                               QStringLiteral(ORVEL_SAMPLES_DIR "/pump-station.ke8")};
    // What the window does: load the files, record the load, draw; then the document closes.
    const auto openAndClose = [&] {
        AppDocument document;
        ovgGraph::Graph graph;
        graph.Initialize(nullptr);
        CmdHistory history;
        AppContext context{document, graph, history};
        FileLoader::Prm prm;
        prm.paths = paths;
        prm.document = &document;
        FileLoader::Load(prm);
        history.Add(true, McrLoadFiles::FromLoad(context, prm, nullptr));
        ASSERT_EQ(7u, document.GetChannels().size());
        (void)graph.RenderOnce(320, 240);
    };
    for (int i = 0; i < 20; ++i) openAndClose();  // caches that live for the process fill up
    const int64_t before = alloc_probe::HeldBytes();
    for (int i = 0; i < 1000; ++i) openAndClose();
    EXPECT_LT(alloc_probe::HeldBytes() - before, 1 << 20);
}
