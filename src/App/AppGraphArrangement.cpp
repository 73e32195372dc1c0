#include "App/AppGraphArrangement.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "App/AppCh.h"
#include "graph/Axis.h"
#include "graph/FitAxisToData.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/commands/GraphSetterCmds.h"

namespace ovgApp {
namespace {

// The value axes by their title (the unit); the first axis of a title wins.
std::map<QString, std::shared_ptr<ovgGraph::Axis>> ValueAxesByTitle(const ovgGraph::GraphAxes& axes)
{
    std::map<QString, std::shared_ptr<ovgGraph::Axis>> byUnit;
    for (const uint8_t type : {ovgGraph::Axis::kLeft, ovgGraph::Axis::kRight})
        for (const auto& axis : axes.List(type)) byUnit.emplace(axis->GetTitle().GetText(), axis);
    return byUnit;
}

}  // namespace

namespace {

// Distinct, readable on white: red, blue, green, orange, purple, teal, brown, magenta, olive, grey.
constexpr uint32_t kPalette[] = {0x2020D0, 0xC05020, 0x309030, 0x1080F0, 0x902090,
                                 0x909000, 0x204080, 0xA000D0, 0x008080, 0x606060};

}  // namespace

uint32_t DefaultChannelColor(size_t index) { return kPalette[index % std::size(kPalette)]; }

uint32_t NextChannelColor(ovgGraph::Graph& graph)
{
    // The first palette colour no channel of the graph draws with, so a channel deleted and
    // added again does not repeat a neighbour's colour; past the palette, by position.
    std::vector<uint32_t> used;
    for (const auto& channel : graph.GetChannels().List()) used.push_back(channel->GetDrawer().GetColor());
    for (const uint32_t colour : kPalette)
        if (std::find(used.begin(), used.end(), colour) == used.end()) return colour;
    return DefaultChannelColor(used.size());
}

int32_t AxisDecimalPlaces(double displayMin, double displayMax, int32_t channelPlaces)
{
    const int32_t own = std::clamp(channelPlaces, 0, 3);
    const double span = displayMax - displayMin;
    if (!(span > 0) || !std::isfinite(span)) return own;
    // The automatic label step: 1, 2 or 5 times a power of ten, five to ten labels to the range.
    const double p = std::pow(10.0, std::floor(std::log10(span)));
    const double r = span / p;
    const double step = r > 8 ? 2 * p : r > 4 ? p : r > 2 ? p / 2 : p / 5;
    int32_t places = 0;
    while (places < 6 && std::abs(step * std::pow(10.0, places) - std::round(step * std::pow(10.0, places))) > 1e-6) ++places;
    return std::max(places, own);
}

bool NeedsArrangement(const AppCh& channel) { return !channel.GetTimeAxis() || !channel.GetValueAxis(); }

std::vector<QString> NewValueAxisUnits(const ovgGraph::GraphAxes& axes, const std::vector<std::shared_ptr<AppCh>>& channels)
{
    const auto byUnit = ValueAxesByTitle(axes);
    std::vector<QString> newUnits;
    for (const auto& channel : channels) {
        const QString unit = channel->GetUnitText();
        if (!byUnit.count(unit) && std::find(newUnits.begin(), newUnits.end(), unit) == newUnits.end())
            newUnits.push_back(unit);
    }
    return newUnits;
}

FileSelection SelectFilesThatFit(const ovgGraph::GraphAxes& axes,
                                 const std::vector<std::vector<std::shared_ptr<AppCh>>>& files)
{
    FileSelection selection;
    std::vector<std::shared_ptr<AppCh>> placed;  // the channels of the files taken so far that need axes
    for (size_t i = 0; i < files.size(); ++i) {
        std::vector<std::shared_ptr<AppCh>> candidate = placed;
        for (const auto& channel : files[i])
            if (NeedsArrangement(*channel)) candidate.push_back(channel);
        const OvGraphFileLib::Result room = ovgGraph::Graph::CheckValueAxisCount(
            axes.ValueAxisCount() + NewValueAxisUnits(axes, candidate).size(), 0);
        if (room.Ok()) {
            selection.taken.push_back(i);
            placed = std::move(candidate);
        } else {
            selection.leftOut.push_back({i, room});
        }
    }
    return selection;
}

OvGraphFileLib::Result ArrangeNewChannels(ovgGraph::Graph& graph, const std::vector<std::shared_ptr<AppCh>>& channels)
{
    using ovgGraph::Axis;
    ovgGraph::GraphFactory factory;
    ovgGraph::GraphAxes& axes = graph.GetAxes();

    const std::vector<QString> newUnits = NewValueAxisUnits(axes, channels);
    const OvGraphFileLib::Result room = ovgGraph::Graph::CheckValueAxisCount(axes.ValueAxisCount() + newUnits.size(), 0);
    if (!room.Ok()) return room;

    auto byUnit = ValueAxesByTitle(axes);
    if (axes.List(Axis::kBelow).empty()) axes.Insert(factory.CreateTimeAxis(&graph));
    const std::shared_ptr<Axis> timeAxis = axes.List(Axis::kBelow).front();
    for (const QString& unit : newUnits) {
        const bool left = axes.List(Axis::kLeft).size() <= axes.List(Axis::kRight).size();
        auto axis = left ? factory.CreateLeftAxis(&graph) : factory.CreateRightAxis(&graph);
        // The title names the axis by its unit, which the unit label above the axis already shows:
        // hidden until the user shows it, so the unit is not printed twice.
        axis->GetTitle().SetText(unit);
        axis->GetTitle().ClearStateBits(ovgGraph::kVisible);
        axis->GetUnit().SetText(unit);
        axes.Insert(axis);
        byUnit.emplace(unit, axis);
    }
    for (const auto& channel : channels) {
        channel->GetDrawer().SetColor(NextChannelColor(graph));
        graph.AddChannel(channel, timeAxis, byUnit.at(channel->GetUnitText()), channel->GetDisplayName());
    }
    for (const auto& axis : axes.All()) ovgGraph::FitAxisToData(graph, *axis);
    // A new value axis labels with as many decimals as its step and its channels need, so that
    // neighbouring labels differ; afterwards only the user changes them.
    for (const QString& unit : newUnits) {
        const auto& axis = byUnit.at(unit);
        int32_t channelPlaces = 0;
        for (const auto& channel : channels)
            if (channel->GetUnitText() == unit) channelPlaces = std::max(channelPlaces, channel->GetDecimalPlaces());
        ovgGraph::AxisCmdSetDecimalPlaces cmd(axis, AxisDecimalPlaces(axis->GetDisplayMin(), axis->GetDisplayMax(), channelPlaces));
        orvel::ExecuteCmd(cmd);
    }
    return {};
}

}  // namespace ovgApp
