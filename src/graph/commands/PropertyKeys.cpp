#include "graph/commands/PropertyKeys.h"

#include <functional>
#include <map>

#include "graph/Graph.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/commands/GraphSetterCmds.h"
#include "graph/commands/GraphStructureCmds.h"

namespace ovgGraph {
namespace {

struct Group {
    const char* name;
    std::vector<const char*> properties;
};

std::vector<std::string> Keys(const std::string& object, const std::vector<Group>& groups)
{
    std::vector<std::string> keys;
    for (const Group& group : groups) {
        keys.push_back(object + "/" + group.name);
        for (const char* property : group.properties) keys.push_back(object + "/" + group.name + "/" + property);
    }
    return keys;
}

const std::map<std::string, std::vector<std::string>>& AllKeys()
{
    static const std::map<std::string, std::vector<std::string>> table = {
        {"GDV/GraphTitle", Keys("GDV/GraphTitle", {{"Overall", {"Visible", "Text", "TextAlignment", "Lock", "Pos", "AutoSizing"}},
                                                   {"View", {"FrameColor", "FrameWidth", "FrameRound", "ShadowDepth"}},
                                                   {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/Legend", Keys("GDV/Legend", {{"Overall", {"Visible", "Pos", "AutoSizing", "MaxCh", "Row", "Column"}},
                                           {"View", {"Label", "FrameColor", "FrameWidth", "FrameRound", "Gradation", "BackColor1",
                                                     "BackColor2", "ShadowDepth", "Padding"}},
                                           {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/ShapeLine", Keys("GDV/ShapeLine", {{"Overall", {"AssAxisY"}},
                                                 {"View", {"LineColor", "LineWidth", "StartPointStyle", "StartPointSize",
                                                           "EndPointStyle", "EndPointSize"}}})},
        {"GDV/ShapeArrow", Keys("GDV/ShapeArrow", {{"Overall", {"AssAxisY"}},
                                                   {"View", {"LineColor", "LineWidth", "StartPointStyle", "StartPointSize",
                                                             "EndPointStyle", "EndPointSize"}}})},
        {"GDV/ShapeTextBox", Keys("GDV/ShapeTextBox", {{"Overall", {"AssAxisY", "Text", "TextAlignment"}},
                                                       {"View", {"FrameColor", "FrameWidth", "FrameRound", "ShadowDepth"}},
                                                       {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/ShapeRect", Keys("GDV/ShapeRect", {{"Overall", {"AssAxisY", "Text", "TextAlignment"}},
                                                 {"View", {"FrameColor", "FrameWidth", "FrameRound", "ShadowDepth"}},
                                                 {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/ShapeBallon",
         Keys("GDV/ShapeBallon", {{"Overall", {"Lock", "AssAxisY", "Text", "TextAlignment", "LinePos"}},
                                  {"View", {"LineColor", "LineWidth", "StartPointStyle", "StartPointSize", "FrameColor", "FrameWidth",
                                            "FrameRound", "ShadowDepth"}},
                                  {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/DataPopup", Keys("GDV/DataPopup", {{"Overall", {"VisibleDate", "VisibleTime"}},
                                                 {"View", {"FrameColor", "FrameWidth", "FrameRound", "Gradation", "BackColor1",
                                                           "BackColor2", "ShadowDepth"}},
                                                 {"Font", {"Name", "Size", "Style", "Color"}}})},
        {"GDV/Ch", {"GDV/Ch/Overall", "GDV/Ch/Overall/LineGraph"}},
    };
    return table;
}

using Maker = std::function<std::shared_ptr<orvel::Cmd>(Graph&, const PropertyValue&)>;

template <class T>
std::shared_ptr<T> Part(Graph& graph, T& part)
{
    return std::shared_ptr<T>(Unowned(graph), &part);
}

// Builds the command of a setter whose target is the legend.
template <class Command, class Value>
Maker Legend()
{
    return [](Graph& g, const PropertyValue& v) { return std::make_shared<Command>(Part(g, g.GetLegend()), FromValue<Value>(v)); };
}

template <class Command, class Value>
Maker TitleFont()
{
    return [](Graph& g, const PropertyValue& v) {
        return std::make_shared<Command>(Part(g, g.GetTitle().GetDrawStr()), FromValue<Value>(v));
    };
}

const std::map<std::string, Maker>& Makers()
{
    static const std::map<std::string, Maker> table = {
        {"GDV/Legend/Overall/Visible",
         [](Graph& g, const PropertyValue& v) {
             return std::make_shared<GlyphCmdSetVisible>(Part(g, g.GetLegend()), FromValue<int32_t>(v) != 0, kChanged | kRelayout);
         }},
        {"GDV/Legend/Overall/Pos", Legend<GraphLegendCmdSetPosition, int32_t>()},
        {"GDV/Legend/Overall/AutoSizing",
         [](Graph& g, const PropertyValue& v) {
             return std::make_shared<AutoSizingCmdSetMode>(Part(g, g.GetLegend()), FromValue<int32_t>(v));
         }},
        {"GDV/Legend/Overall/MaxCh", Legend<GraphLegendCmdSetMaxCh, int32_t>()},
        {"GDV/Legend/Overall/Row", Legend<GraphLegendCmdSetRow, int32_t>()},
        {"GDV/Legend/Overall/Column", Legend<GraphLegendCmdSetColumn, int32_t>()},
        {"GDV/Legend/View/Label", Legend<GraphLegendCmdSetLabelType, int32_t>()},
        {"GDV/Legend/View/FrameColor", Legend<GraphLegendCmdSetFrameColor, uint32_t>()},
        {"GDV/Legend/View/FrameWidth", Legend<GraphLegendCmdSetFrameWidth, int32_t>()},
        {"GDV/Legend/View/FrameRound", Legend<GraphLegendCmdSetFrameRound, int32_t>()},
        {"GDV/Legend/View/Gradation", Legend<GraphLegendCmdSetBackGradation, bool>()},
        {"GDV/Legend/View/BackColor1", Legend<GraphLegendCmdSetBackColor1, uint32_t>()},
        {"GDV/Legend/View/BackColor2", Legend<GraphLegendCmdSetBackColor2, uint32_t>()},
        {"GDV/Legend/View/ShadowDepth", Legend<GraphLegendCmdSetShadowDepth, int32_t>()},
        {"GDV/Legend/View/Padding",
         [](Graph& g, const PropertyValue& v) {
             return std::make_shared<PaddingCmdSetPadding>(Part(g, g.GetLegend()), FromValue<Rect>(v));
         }},
        {"GDV/Legend/Font/Name", Legend<GraphLegendCmdSetFontName, QString>()},
        {"GDV/Legend/Font/Size", Legend<GraphLegendCmdSetFontSize, int32_t>()},
        {"GDV/Legend/Font/Style", Legend<GraphLegendCmdSetFontStyle, int32_t>()},
        {"GDV/Legend/Font/Color", Legend<GraphLegendCmdSetFontColor, uint32_t>()},
        {"GDV/GraphTitle/Overall/Visible",
         [](Graph& g, const PropertyValue& v) {
             return std::make_shared<GlyphCmdSetVisible>(Part(g, g.GetTitle()), FromValue<int32_t>(v) != 0, kChanged | kRelayout);
         }},
        {"GDV/GraphTitle/Font/Name", TitleFont<GdiDrawStrCmdSetFontName, QString>()},
        {"GDV/GraphTitle/Font/Size", TitleFont<GdiDrawStrCmdSetFontSize, int32_t>()},
        {"GDV/GraphTitle/Font/Style", TitleFont<GdiDrawStrCmdSetFontStyle, int32_t>()},
        {"GDV/GraphTitle/Font/Color", TitleFont<GdiDrawStrCmdSetFontColor, uint32_t>()},
    };
    return table;
}

}  // namespace

const std::vector<std::string>& PropertyKeys(const std::string& object)
{
    static const std::vector<std::string> none;
    const auto found = AllKeys().find(object);
    return found == AllKeys().end() ? none : found->second;
}

std::shared_ptr<orvel::Cmd> MakePropertyCmd(Graph& graph, const std::string& key, const PropertyValue& value)
{
    const auto found = Makers().find(key);
    return found == Makers().end() ? nullptr : found->second(graph, value);
}

}  // namespace ovgGraph
