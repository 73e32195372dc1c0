#include <gtest/gtest.h>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/AppGraphArrangement.h"
#include "App/CmdHistory.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrGraphCmds.h"
#include "App/GraphDocumentSave.h"
#include "Cmd/McrInitApp.h"
#include "Cmd/McrLoadFiles.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/GraphTitle.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"

#include <filesystem>

using namespace ovgApp;

namespace {

// A document of two humidity channels and one pressure channel on a graph arranged as a new
// document shows them, with its history: the application commands' whole context.
struct Doc {
    AppDocument document;
    ovgGraph::Graph graph;
    CmdHistory history;
    AppContext context{document, graph, history};
    std::vector<std::shared_ptr<AppCh>> channels;

    Doc()
    {
        graph.Initialize(nullptr);
        const char* units[] = {"%", "%", "hPa"};
        for (int i = 0; i < 3; ++i) {
            auto file = std::make_shared<OvGraphFileLib::GCh>();
            file->SetChType(0x41);
            file->SetChName(u"ch" + std::u16string(1, char16_t('1' + i)));
            file->SetAuxText(QString::fromUtf8(units[i]).toStdU16String());
            file->SetInterval(60000);
            file->SetTimeDiff(0);
            file->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(0x41, 1'780'000'000'000, 60000, {10.0 * i, 20, 35}));
            file->SetDataCount(3);
            channels.push_back(std::make_shared<AppCh>(&document, file));
        }
        for (const auto& channel : channels) document.AddChannel(channel);
        EXPECT_TRUE(ArrangeNewChannels(graph, channels).Ok());
    }
    // Records as the window does; returns whether the history took it.
    bool Record(std::shared_ptr<orvel::Cmd> cmd)
    {
        const uint32_t before = history.DoneCount();
        history.Add(true, std::move(cmd));
        return history.DoneCount() == before + 1;
    }
    std::shared_ptr<ovgGraph::Axis> Axis(uint8_t type) { return graph.GetAxes().List(type).front(); }
};

}  // namespace

TEST(McrGraphCmds, ChannelCommandsThroughTheHistory)
{
    Doc d;
    const AppChList humid{d.channels[0], d.channels[1]};
    const uint32_t before0 = d.channels[0]->GetDrawer().GetColor(), before1 = d.channels[1]->GetDrawer().GetColor();
    ASSERT_TRUE(d.Record(std::make_shared<McrChSetLineGraphColor>(d.context, humid, 0x00FF00u)));
    EXPECT_EQ(d.channels[0]->GetDrawer().GetColor(), 0x00FF00u);
    EXPECT_EQ(d.channels[1]->GetDrawer().GetColor(), 0x00FF00u);
    // Setting the colour they already have records nothing.
    EXPECT_FALSE(d.Record(std::make_shared<McrChSetLineGraphColor>(d.context, humid, 0x00FF00u)));
    d.history.Undo();
    EXPECT_EQ(d.channels[0]->GetDrawer().GetColor(), before0);
    EXPECT_EQ(d.channels[1]->GetDrawer().GetColor(), before1);
    d.history.Redo();
    EXPECT_EQ(d.channels[1]->GetDrawer().GetColor(), 0x00FF00u);

    // A new name shows in the legend too.
    ASSERT_TRUE(d.Record(std::make_shared<McrChSetChName>(d.context, d.channels[2], QStringLiteral("気圧"))));
    const auto label = [&] { return d.graph.GetLegend().GetItems()[2]->GetLabel().GetText(); };
    EXPECT_EQ(label(), QStringLiteral("気圧"));
    d.history.Undo();
    EXPECT_EQ(d.channels[2]->GetDisplayName(), QStringLiteral("ch3"));
    EXPECT_EQ(label(), QStringLiteral("ch3"));

    // Hiding keeps the axes' ranges the user chose.
    auto left = d.Axis(ovgGraph::Axis::kLeft);
    left->SetDisplayRange(12, 18);
    ASSERT_TRUE(d.Record(std::make_shared<McrChSetVisibleGraph>(d.context, humid, false)));
    EXPECT_FALSE(d.channels[0]->IsVisible());
    EXPECT_EQ(left->GetDisplayMin(), 12);
    d.history.Undo();
    EXPECT_TRUE(d.channels[1]->IsVisible());
    EXPECT_FALSE(d.Record(std::make_shared<McrChSetVisibleGraph>(d.context, humid, true)));

    ASSERT_TRUE(d.Record(std::make_shared<McrChSetLimit>(d.context, d.channels[0], 30.0, 5.0)));
    EXPECT_EQ(d.channels[0]->GetUpperLimit(), 30.0);
    ASSERT_TRUE(d.Record(std::make_shared<McrChSetDecimalPlaces>(d.context, humid, 3)));
    EXPECT_EQ(d.channels[1]->GetDecimalPlaces(), 3);
    d.history.Undo();
    d.history.Undo();
    EXPECT_NE(d.channels[0]->GetUpperLimit(), 30.0);
    EXPECT_NE(d.channels[1]->GetDecimalPlaces(), 3);

    // Moving a channel to the other value axis, and fitting the graph back after a zoom.
    auto right = d.Axis(ovgGraph::Axis::kRight);
    ASSERT_TRUE(d.Record(std::make_shared<McrChSetAxisY>(d.context, AppChList{d.channels[0]}, right)));
    EXPECT_EQ(d.channels[0]->GetValueAxis(), right);
    d.history.Undo();
    EXPECT_EQ(d.channels[0]->GetValueAxis(), left);
    ASSERT_TRUE(d.Record(std::make_shared<McrFitGraph>(d.context)));
    EXPECT_EQ(left->GetDisplayMin(), left->GetRangeMin());
    d.history.Undo();
    EXPECT_EQ(left->GetDisplayMin(), 12);

    // A new value axis goes to the side asked for, alone or with channels.
    for (const bool right : {true, false}) {
        const uint8_t side = right ? ovgGraph::Axis::kRight : ovgGraph::Axis::kLeft;
        const size_t axes = d.graph.GetAxes().List(side).size();
        ASSERT_TRUE(d.Record(std::make_shared<McrAxisAdd>(d.context, right)));
        EXPECT_EQ(d.graph.GetAxes().List(side).size(), axes + 1);
        d.history.Undo();
        ASSERT_TRUE(d.Record(std::make_shared<McrChSetNewAxisY>(d.context, AppChList{d.channels[2]}, right)));
        EXPECT_EQ(d.channels[2]->GetValueAxis(), d.graph.GetAxes().List(side).back());
        d.history.Undo();
    }
}

TEST(McrGraphCmds, ThemeIsCurrentUntilUndoneAndNewDocumentsKeepIt)
{
    Doc d;
    const auto& themes = ovgGraph::BuiltInThemes();
    std::vector<QString> remembered;
    const auto remember = [&](const QString& name) { remembered.push_back(name); };
    d.graph.GetTitle().SetText(QStringLiteral("title"));
    ASSERT_TRUE(d.Record(std::make_shared<McrThemeSetCurrent>(d.context, themes[1], remember)));
    EXPECT_EQ(d.graph.GetBack().GetDrawRect().GetBackColor1(), 0x202020u);
    EXPECT_EQ(d.graph.GetTheme(), themes[1]);
    EXPECT_EQ(remembered.back(), QStringLiteral("ダーク"));
    // New axes take the theme.
    EXPECT_EQ(ovgGraph::GraphFactory().CreateLeftAxis(&d.graph)->GetLabelFont().GetTextColor(), 0xE0E0E0u);
    d.history.Undo();
    EXPECT_EQ(d.graph.GetBack().GetDrawRect().GetBackColor1(), 0xFFFFFFu);
    EXPECT_EQ(d.graph.GetTheme(), nullptr);
    EXPECT_EQ(d.graph.GetTitle().GetText(), QStringLiteral("title"));
    d.history.Redo();

    // A new document starts from the new-graph look in the current theme.
    d.graph.GetLegend().SetPosition(0);
    d.history.Add(true, std::make_shared<McrInitApp>(d.context));
    EXPECT_TRUE(d.document.GetChannels().empty());
    EXPECT_EQ(d.graph.GetLegend().GetPosition(), 2);
    EXPECT_TRUE(d.graph.GetTitle().GetText().isEmpty());
    EXPECT_EQ(d.graph.GetBack().GetDrawRect().GetBackColor1(), 0x202020u);
    EXPECT_FALSE(d.history.CanUndo());
}

// A graph document's state and memo come back with its channels as one step; undo gives back the
// graph and memo of before, redo the very same graph again.
TEST(McrLoadFiles, RestoredStateAndMemoUndoAndRedo)
{
    Doc saved;
    saved.graph.GetLegend().SetPosition(0);
    saved.graph.GetTitle().SetText(QStringLiteral("冷凍庫"));
    saved.Axis(ovgGraph::Axis::kLeft)->SetDisplayRange(12, 18);
    const std::shared_ptr<const ovgGraph::GraphMemento> state = ovgGraph::CreateMemento(saved.graph);

    Doc d;
    std::vector<std::shared_ptr<AppCh>> channels = d.channels;
    d.history.Add(true, std::make_shared<McrInitApp>(d.context));  // a new document
    const std::string empty = ovgGraph::WriteXmlDocumentOf(d.graph);
    ASSERT_TRUE(d.Record(std::make_shared<McrLoadFiles>(d.context, std::vector<std::vector<std::shared_ptr<AppCh>>>{channels}, state, QStringLiteral("メモ"), 0, 0)));
    EXPECT_EQ(d.graph.GetLegend().GetPosition(), 0);
    EXPECT_EQ(d.graph.GetTitle().GetText(), QStringLiteral("冷凍庫"));
    EXPECT_EQ(d.document.GetMemo(), QStringLiteral("メモ"));
    const auto left = d.Axis(ovgGraph::Axis::kLeft);
    EXPECT_EQ(left->GetDisplayMin(), 12);
    const std::string loaded = ovgGraph::WriteXmlDocumentOf(d.graph);
    for (int round = 0; round < 2; ++round) {
        d.history.Undo();
        EXPECT_TRUE(d.document.GetChannels().empty());
        EXPECT_TRUE(d.document.GetMemo().isEmpty());
        EXPECT_TRUE(d.document.IsFresh());
        EXPECT_EQ(ovgGraph::WriteXmlDocumentOf(d.graph), empty);
        d.history.Redo();
        EXPECT_EQ(ovgGraph::WriteXmlDocumentOf(d.graph), loaded);
        EXPECT_EQ(d.Axis(ovgGraph::Axis::kLeft), left);
    }
    // A state whose file was left out is not applied.
    Doc other;
    other.history.Add(true, std::make_shared<McrInitApp>(other.context));
    auto load = std::make_shared<McrLoadFiles>(other.context, std::vector<std::vector<std::shared_ptr<AppCh>>>{channels}, state, QStringLiteral("x"), 0, 5);
    other.Record(load);
    EXPECT_NE(other.graph.GetLegend().GetPosition(), 0);
    EXPECT_TRUE(other.document.GetMemo().isEmpty());
}

TEST(SaveGraphDocument, RefusesWhatItCannotWriteAndWritesNothing)
{
    Doc d;
    const auto path = std::filesystem::temp_directory_path() / "orvel-save-refused.kmb";
    std::filesystem::remove(path);
    for (int i = 0; i < 8; ++i) d.graph.GetAxes().Insert(ovgGraph::GraphFactory().CreateRightAxis(&d.graph));
    ASSERT_EQ(d.graph.GetAxes().ValueAxisCount(), 10u);
    const struct {
        ovgGraph::Graph* graph;
        int32_t code, location;
    } rows[] = {{&d.graph, 57, 5505}, {nullptr, 56, 5501}};
    for (const auto& row : rows) {
        const OvGraphFileLib::Result result = SaveGraphDocument(d.document, row.graph, path);
        EXPECT_EQ(result.code, row.code);
        EXPECT_EQ(result.location, row.location);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    ovgGraph::Graph uninitialised;
    EXPECT_EQ(SaveGraphDocument(d.document, &uninitialised, path).location, 5502);
}

TEST(McrChReplace, TakesThePlaceInDocumentAndGraph)
{
    Doc d;
    Doc source;  // a channel made elsewhere, like a tool's result
    const auto old = d.channels[1], replacement = source.channels[2];
    source.graph.RemoveChannel(replacement.get());
    old->GetDrawer().SetColor(0x00AA00);
    ASSERT_TRUE(d.Record(std::make_shared<McrChReplace>(d.context, old, replacement)));
    EXPECT_EQ(d.document.GetChannels()[1], replacement);
    EXPECT_EQ(d.graph.GetChannels().List()[1], replacement);
    EXPECT_EQ(replacement->GetValueAxis(), old->GetValueAxis());
    EXPECT_EQ(replacement->GetDrawer().GetColor(), 0x00AA00u);
    EXPECT_EQ(d.graph.GetLegend().GetItems()[1]->GetChannel(), replacement);
    d.history.Undo();
    EXPECT_EQ(d.document.GetChannels()[1], old);
    EXPECT_EQ(d.graph.GetChannels().List()[1], old);
    EXPECT_EQ(d.graph.GetChannels().List().size(), 3u);
    d.history.Redo();
    EXPECT_EQ(d.graph.GetChannels().List()[1], replacement);
}
