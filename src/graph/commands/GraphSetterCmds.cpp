#include "graph/commands/GraphSetterCmds.h"

namespace ovgGraph {

std::u16string CmdName(const char* className)
{
    std::u16string name;
    for (const char* c = className; *c; ++c) name += char16_t(*c);
    return name;
}

PropertyValue ClampFrameWidth(const PropertyValue& value)
{
    const int32_t width = FromValue<int32_t>(value);
    return width < 1 ? 0 : width;
}

GdiDrawRectCmdSetFrameWidth::GdiDrawRectCmdSetFrameWidth(std::shared_ptr<GdiDrawRect> target, int32_t width)
    : OwnedPropertySetCmd("GdiDrawRectCmdSetFrameWidth", std::move(target), reach::Self, GdiDrawRectSchema(), "frame_width", width)
{
}

GraphLegendCmdSetFrameWidth::GraphLegendCmdSetFrameWidth(std::shared_ptr<GraphLegend> target, int32_t width)
    : OwnedPropertySetCmd("GraphLegendCmdSetFrameWidth", std::move(target), reach::LegendRect, GdiDrawRectSchema(), "frame_width",
                          width)
{
}

}  // namespace ovgGraph
