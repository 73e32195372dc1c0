#include "graph/GraphFactory.h"

#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/LabelFormatDateTime.h"
#include "graph/LabelGenerateAutoTime2.h"
#include "graph/state/Theme.h"

namespace ovgGraph {
namespace {

// The engine's default axis look: black line and labels in the graph's face, the title shown.
std::shared_ptr<Axis> MakeAxis(Glyph* graph, uint8_t type)
{
    auto axis = std::make_shared<Axis>(graph, type);
    GdiDrawStr& labels = axis->GetLabelFont();
    labels.SetTextColor(0x000000);
    labels.SetFontName(QStringLiteral("Meiryo UI"));
    labels.SetFontSize(12);
    switch (type) {
        case Axis::kLeft: labels.SetAlignment(kVCentre | kRight); break;
        case Axis::kRight: labels.SetAlignment(kVCentre | kLeft); break;
        case Axis::kAbove: labels.SetAlignment(kBottom | kHCentre); break;
        default: labels.SetAlignment(kTop | kHCentre); break;
    }
    for (GlyphText* text : {static_cast<GlyphText*>(&axis->GetTitle()), static_cast<GlyphText*>(&axis->GetUnit())}) {
        text->GetDrawStr().SetTextColor(0x000000);
        text->GetDrawStr().SetFontName(QStringLiteral("Meiryo UI"));
        text->GetDrawStr().SetFontSize(12);
    }
    axis->GetTitle().SetStateBits(kVisible);
    // The cursor strips appear when the user asks for the axis cursors.
    axis->GetCursor().ClearStateBits(kVisible);
    if (const auto* owner = dynamic_cast<Graph*>(graph); owner && owner->GetTheme()) owner->GetTheme()->ApplyToAxis(*axis);
    return axis;
}

}  // namespace

std::shared_ptr<Axis> GraphFactory::CreateLeftAxis(Glyph* graph) const { return MakeAxis(graph, Axis::kLeft); }
std::shared_ptr<Axis> GraphFactory::CreateRightAxis(Glyph* graph) const { return MakeAxis(graph, Axis::kRight); }

std::shared_ptr<Axis> GraphFactory::CreateTimeAxis(Glyph* graph) const
{
    auto axis = MakeAxis(graph, Axis::kBelow);
    axis->SetLabelGenerator(std::make_shared<LabelGenerateAutoTime2>());
    axis->SetLabelFormat(std::make_shared<LabelFormatDateTime>());
    axis->GetTitle().ClearStateBits(kVisible);
    return axis;
}

}  // namespace ovgGraph
