// Graph::InsertChannel and Graph::RemoveChannel, on which the channel commands' undo relies.
#include <gtest/gtest.h>

#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"

using namespace ovgGraph;
using orvel::fixtures::SeriesChannel;

namespace {

struct ThreeChannelGraph {
    ThreeChannelGraph()
    {
        graph.Initialize(nullptr);
        GraphFactory factory;
        time = factory.CreateTimeAxis(&graph);
        value = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(value);
        for (const char* label : {"a", "b", "c"}) {
            channels.push_back(
                std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 1}, {60, 2}}));
            graph.AddChannel(channels.back(), time, value, QString::fromLatin1(label));
        }
    }

    std::vector<const GCh*> ChannelOrder() { return Pointers(graph.GetChannels().List()); }
    std::vector<QString> LegendLabels()
    {
        std::vector<QString> labels;
        for (const auto& item : graph.GetLegend().GetItems()) labels.push_back(item->GetLabel().GetText());
        return labels;
    }
    std::vector<const GCh*> LegendChannels()
    {
        std::vector<const GCh*> order;
        for (const auto& item : graph.GetLegend().GetItems()) order.push_back(item->GetChannel().get());
        return order;
    }
    template <typename List>
    static std::vector<const GCh*> Pointers(const List& list)
    {
        std::vector<const GCh*> order;
        for (const auto& channel : list) order.push_back(channel.get());
        return order;
    }

    Graph graph;
    std::shared_ptr<Axis> time, value;
    std::vector<std::shared_ptr<GCh>> channels;
};

}  // namespace

TEST(Graph, InsertChannelPutsChannelAndLegendItemAtTheIndex)
{
    const struct {
        size_t index;
        std::vector<QString> labels;
    } rows[] = {
        {0, {"x", "a", "b", "c"}},
        {1, {"a", "x", "b", "c"}},
        {3, {"a", "b", "c", "x"}},
        {7, {"a", "b", "c", "x"}},  // beyond the end: appended
    };
    for (const auto& row : rows) {
        ThreeChannelGraph g;
        auto inserted = std::make_shared<SeriesChannel>(nullptr, std::vector<SeriesChannel::Sample>{{0, 5}});
        g.graph.InsertChannel(row.index, inserted, g.time, g.value, QStringLiteral("x"));
        EXPECT_EQ(row.labels, g.LegendLabels()) << row.index;
        EXPECT_EQ(g.ChannelOrder(), g.LegendChannels()) << row.index;
        EXPECT_EQ(g.value, inserted->GetValueAxis());
        EXPECT_EQ(&g.graph, inserted->GetParent());
    }
}

TEST(Graph, RemoveChannelTakesItsLegendItemAndTellsItsPlace)
{
    const struct {
        size_t removed;
        std::vector<QString> labels;
    } rows[] = {{0, {"b", "c"}}, {1, {"a", "c"}}, {2, {"a", "b"}}};
    for (const auto& row : rows) {
        ThreeChannelGraph g;
        const auto channel = g.channels[row.removed];
        EXPECT_EQ(int(row.removed), g.graph.RemoveChannel(channel.get()));
        EXPECT_EQ(row.labels, g.LegendLabels()) << row.removed;
        EXPECT_EQ(g.ChannelOrder(), g.LegendChannels()) << row.removed;
        EXPECT_EQ(g.time, channel->GetTimeAxis()) << "the binding stays for a later insertion";
        EXPECT_EQ(-1, g.graph.RemoveChannel(channel.get())) << "no longer in the graph";
        EXPECT_EQ(2u, g.graph.GetChannels().List().size());
    }
}
