#include "Cmd/McrViewTemperatureUnit.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "Cmd/AxisRangeState.h"
#include "Common/Library/CmdLambda.h"
#include "Common/Library/OvChType.h"
#include "Common/Library/SeriousError.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"

namespace ovgApp {
namespace {

constexpr int32_t kFahrenheit = 14;

double CelsiusToFahrenheit(double c) { return c * 9 / 5 + 32; }
double FahrenheitToCelsius(double f) { return (f - 32) * 5 / 9; }

QString UnitOf(int32_t type) { return QString::fromStdU16String(orvel::detail::OvChTypeOf(uint16_t(type)).GetUnit()); }

// The axes that show only temperatures: at least one channel uses the axis as its value axis,
// and every such channel is a temperature channel.
std::vector<std::shared_ptr<ovgGraph::Axis>> TemperatureAxes(ovgGraph::Graph& graph)
{
    std::vector<std::shared_ptr<ovgGraph::Axis>> found;
    for (const auto& axis : graph.GetAxes().All()) {
        bool any = false, allTemperature = true;
        for (const auto& channel : graph.GetChannels().List()) {
            if (channel->GetValueAxis() != axis) continue;
            any = true;
            const auto* appCh = dynamic_cast<const AppCh*>(channel.get());
            allTemperature = allTemperature && appCh && appCh->IsTemperature();
        }
        if (any && allTemperature) found.push_back(axis);
    }
    return found;
}

// What a change of unit does to one axis: its values and the texts that name the unit.
struct AxisUnitState {
    AxisRangeState values;
    QString title, unit;

    static AxisUnitState Capture(ovgGraph::Axis& axis)
    {
        return {AxisRangeState::Capture(axis), axis.GetTitle().GetText(), axis.GetUnit().GetText()};
    }
    void Apply(ovgGraph::Axis& axis) const
    {
        values.Apply(axis);
        axis.GetTitle().SetText(title);
        axis.GetUnit().SetText(unit);
    }
};

struct Change {
    std::shared_ptr<ovgGraph::Axis> axis;
    AxisUnitState before, after;
};

// Both states of every temperature axis for a change of unit: redo sets the very values of the
// first execution and undo the saved ones, never a conversion back.
std::vector<Change> TemperatureAxisChanges(ovgGraph::Graph& graph, int32_t oldType, int32_t newType)
{
    const auto convert = newType == kFahrenheit ? CelsiusToFahrenheit : FahrenheitToCelsius;
    const QString oldUnit = UnitOf(oldType), newUnit = UnitOf(newType);
    std::vector<Change> changes;
    for (const auto& axis : TemperatureAxes(graph)) {
        const AxisUnitState before = AxisUnitState::Capture(*axis);
        AxisUnitState after = before;
        after.values = before.values.Map(convert);
        after.title.replace(oldUnit, newUnit);
        after.unit.replace(oldUnit, newUnit);
        changes.push_back({axis, before, after});
    }
    return changes;
}

}  // namespace

void ConvertTemperatureAxes(ovgGraph::Graph& graph, int32_t oldType, int32_t newType)
{
    if (oldType == newType) return;
    for (const Change& change : TemperatureAxisChanges(graph, oldType, newType)) change.after.Apply(*change.axis);
}

McrViewTemperatureUnit::McrViewTemperatureUnit(AppContext context, int32_t type)
    : Mcr(u"McrViewTemperatureUnit"), m_context(context), m_type(type)
{
    if (type != 13 && type != 14) ORVEL_SERIOUS_ERROR("temperature display type " + std::to_string(type));
}

void McrViewTemperatureUnit::Prepare()
{
    AppDocument& document = m_context.document;
    const int32_t oldType = document.GetTemperatureDisplayType();
    if (oldType == m_type) return;
    std::vector<std::pair<std::shared_ptr<AppCh>, int32_t>> oldChannelTypes;
    for (const auto& channel : document.GetChannels())
        if (channel->IsTemperature())
            oldChannelTypes.emplace_back(channel, channel->GetTemperatureDisplayType());
    const int32_t newType = m_type;
    AddChild(std::make_shared<orvel::CmdLambda>(
        u"McrViewTemperatureUnit_type", [&document, newType] { document.SetTemperatureDisplayType(newType); },
        [&document, oldType, oldChannelTypes] {
            document.SetTemperatureDisplayType(oldType);
            for (const auto& [channel, type] : oldChannelTypes) channel->SetTemperatureDisplayType(type);
        }));

    // The axes of temperature channels change unit with them, so the curves stay where they were
    // on the plot.
    const std::vector<Change> changes = TemperatureAxisChanges(m_context.graph, oldType, newType);
    if (changes.empty()) return;
    AddChild(std::make_shared<orvel::CmdLambda>(
        u"McrViewTemperatureUnit_axis",
        [changes] {
            for (const Change& change : changes) change.after.Apply(*change.axis);
        },
        [changes] {
            for (const Change& change : changes) change.before.Apply(*change.axis);
        }));
}

}  // namespace ovgApp
