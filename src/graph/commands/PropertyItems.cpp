#include "graph/commands/PropertyItems.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <utility>

#include "graph/Axis.h"
#include "graph/Colour.h"
#include "graph/GCh.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/LabelFormatValue.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/commands/GraphSetterCmds.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/commands/PropertyKeys.h"
#include "graph/commands/ShapeCmds.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/state/GraphState.h"

namespace ovgGraph {
namespace {

using CmdPtr = std::shared_ptr<orvel::Cmd>;
using Choices = std::vector<std::pair<QString, int32_t>>;
using Reader = std::function<std::optional<PropertyValue>(Graph&, const PropertyTarget&)>;
using Maker = std::function<CmdPtr(Graph&, const PropertyTarget&, const PropertyValue&)>;

// One entry the pane can show: how it reads and which command it makes. An entry without a
// maker is one the key-only MakePropertyCmd answers (title and legend).
struct Row {
    const char* property;  // the key after the object: "View/FrameColor"
    const char* label;     // source text, translated when shown
    PropertyEditor editor;
    Reader read;
    Maker make;
    int32_t min = 0, max = 0;
    Choices choices = {};
    Choices (*choicesOf)(Graph&) = nullptr;  // choices that depend on the graph
    bool dateOnTimeAxis = false;             // shown as a date and time on a time axis
    const char* timeAxisLabel = nullptr;     // the label on a time axis, when it differs
};

// Labels and choices are written in Japanese and shown in the window's language.
QString Text(const char* text)
{
    return QCoreApplication::translate("PropertyItems", text);
}

// --- reading through the objects' descriptions -----------------------------------------------

template <class P>
using Reach = P* (*)(Graph&, const PropertyTarget&);

template <class P>
Reader Stored(Reach<P> reach, const Schema<P>& (*schema)(), const char* element)
{
    return [reach, schema, element](Graph& g, const PropertyTarget& t) -> std::optional<PropertyValue> {
        P* object = reach(g, t);
        const Field<P>* field = schema().Find(element);
        if (!object || !field || !field->get) return std::nullopt;
        return field->get(*object);
    };
}

Glyph* LegendGlyph(Graph& g, const PropertyTarget&)
{
    return &g.GetLegend();
}
GraphLegend* Legend(Graph& g, const PropertyTarget&)
{
    return &g.GetLegend();
}
AutoSizing* LegendSizing(Graph& g, const PropertyTarget&)
{
    return &g.GetLegend();
}
GdiDrawRect* LegendRect(Graph& g, const PropertyTarget&)
{
    return &g.GetLegend().GetDrawRect();
}
GdiDrawStr* LegendFont(Graph& g, const PropertyTarget&)
{
    return &g.GetLegend().GetFont();
}

Glyph* TitleGlyph(Graph& g, const PropertyTarget&)
{
    return &g.GetTitle();
}
GlyphText* TitleTextOf(Graph& g, const PropertyTarget&)
{
    return &g.GetTitle();
}
GraphTitle* Title(Graph& g, const PropertyTarget&)
{
    return &g.GetTitle();
}
GdiDrawStr* TitleFont(Graph& g, const PropertyTarget&)
{
    return &g.GetTitle().GetDrawStr();
}

Axis* AxisOf(Graph&, const PropertyTarget& t)
{
    return t.axis.get();
}
Glyph* AxisTitleGlyph(Graph&, const PropertyTarget& t)
{
    return t.axis ? &t.axis->GetTitle() : nullptr;
}
GlyphText* AxisTitleText(Graph&, const PropertyTarget& t)
{
    return t.axis ? &t.axis->GetTitle() : nullptr;
}
Glyph* AxisUnitGlyph(Graph&, const PropertyTarget& t)
{
    return t.axis ? &t.axis->GetUnit() : nullptr;
}
GlyphText* AxisUnitText(Graph&, const PropertyTarget& t)
{
    return t.axis ? &t.axis->GetUnit() : nullptr;
}
GdiDrawStr* AxisLabelFont(Graph&, const PropertyTarget& t)
{
    return t.axis ? &t.axis->GetLabelFont() : nullptr;
}

GdiDrawLineGraphGDIP* ChannelLine(Graph&, const PropertyTarget& t)
{
    return t.channel ? &t.channel->GetDrawer() : nullptr;
}

ShapeBase* Shape(Graph&, const PropertyTarget& t)
{
    return t.shape.get();
}
ShapeBallon* Ballon(Graph&, const PropertyTarget& t)
{
    return dynamic_cast<ShapeBallon*>(t.shape.get());
}
// The box of a text box, rectangle or callout.
ShapeTextBox* Box(Graph& g, const PropertyTarget& t)
{
    if (ShapeBallon* ballon = Ballon(g, t)) return &ballon->GetBox();
    return dynamic_cast<ShapeTextBox*>(t.shape.get());
}
// The line of a line or arrow, the pointer of a callout.
ShapeLine* LineShape(Graph& g, const PropertyTarget& t)
{
    if (ShapeBallon* ballon = Ballon(g, t)) return &ballon->GetPointer();
    return dynamic_cast<ShapeLine*>(t.shape.get());
}
GlyphText* BoxText(Graph& g, const PropertyTarget& t)
{
    ShapeTextBox* box = Box(g, t);
    return box ? &box->GetText() : nullptr;
}
GdiDrawRect* BoxRect(Graph& g, const PropertyTarget& t)
{
    ShapeTextBox* box = Box(g, t);
    return box ? &box->GetDrawRect() : nullptr;
}
GdiDrawStr* BoxFont(Graph& g, const PropertyTarget& t)
{
    ShapeTextBox* box = Box(g, t);
    return box ? &box->GetText().GetDrawStr() : nullptr;
}
GdiDrawLine* Line(Graph& g, const PropertyTarget& t)
{
    ShapeLine* line = LineShape(g, t);
    return line ? &line->GetLine() : nullptr;
}
// The end of a line or arrow (a callout's pointer ends at its anchor, which is not edited here).
GdiDrawLine* LineEnd(Graph&, const PropertyTarget& t)
{
    auto* line = dynamic_cast<ShapeLine*>(t.shape.get());
    return line ? &line->GetLine() : nullptr;
}

Reader Computed(std::optional<PropertyValue> (*read)(Graph&, const PropertyTarget&))
{
    return read;
}

// --- making the commands ------------------------------------------------------------------------

template <class T>
using Owner = std::shared_ptr<T> (*)(Graph&, const PropertyTarget&);

template <class Command, class Value, class Target>
Maker Setter(Owner<Target> owner)
{
    return [owner](Graph& g, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
        std::shared_ptr<Target> target = owner(g, t);
        if (!target) return nullptr;
        return std::make_shared<Command>(std::move(target), FromValue<Value>(v));
    };
}

// The first maker that has a target for the object.
Maker Either(Maker first, Maker second)
{
    return [first, second](Graph& g, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
        CmdPtr cmd = first(g, t, v);
        return cmd ? cmd : second(g, t, v);
    };
}

std::shared_ptr<GraphTitle> TitleOwner(Graph& g, const PropertyTarget&)
{
    return std::shared_ptr<GraphTitle>(Unowned(g), &g.GetTitle());
}
std::shared_ptr<Axis> AxisOwner(Graph&, const PropertyTarget& t)
{
    return t.axis;
}
std::shared_ptr<GCh> ChannelOwner(Graph&, const PropertyTarget& t)
{
    return t.channel;
}
std::shared_ptr<ShapeBase> ShapeOwner(Graph&, const PropertyTarget& t)
{
    return t.shape;
}
std::shared_ptr<ShapeTextBox> TextBoxOwner(Graph&, const PropertyTarget& t)
{
    return std::dynamic_pointer_cast<ShapeTextBox>(t.shape);
}
std::shared_ptr<ShapeLine> LineOwner(Graph&, const PropertyTarget& t)
{
    return std::dynamic_pointer_cast<ShapeLine>(t.shape);
}
std::shared_ptr<ShapeBallon> BallonOwner(Graph&, const PropertyTarget& t)
{
    return std::dynamic_pointer_cast<ShapeBallon>(t.shape);
}

// The same property of a text box and of a callout's box.
template <class BoxCommand, class BallonCommand, class Value>
Maker BoxOrBallon()
{
    return Either(Setter<BoxCommand, Value>(&TextBoxOwner), Setter<BallonCommand, Value>(&BallonOwner));
}

template <class LineCommand, class BallonCommand, class Value>
Maker LineOrBallon()
{
    return Either(Setter<LineCommand, Value>(&LineOwner), Setter<BallonCommand, Value>(&BallonOwner));
}

// --- choices ------------------------------------------------------------------------------------

const Choices kFontStyles = {{QT_TRANSLATE_NOOP("PropertyItems", "標準"), 0},
                             {QT_TRANSLATE_NOOP("PropertyItems", "斜体"), 1},
                             {QT_TRANSLATE_NOOP("PropertyItems", "太字"), 2},
                             {QT_TRANSLATE_NOOP("PropertyItems", "太字斜体"), 3}};
const Choices kPointStyles = {{QT_TRANSLATE_NOOP("PropertyItems", "なし"), 0},
                              {QT_TRANSLATE_NOOP("PropertyItems", "丸"), 1},
                              {QT_TRANSLATE_NOOP("PropertyItems", "矢印"), 2},
                              {QT_TRANSLATE_NOOP("PropertyItems", "塗りつぶし矢印"), 3}};
const Choices kAlignments = {{QT_TRANSLATE_NOOP("PropertyItems", "左上"), kTop | kLeft},
                             {QT_TRANSLATE_NOOP("PropertyItems", "上中央"), kTop | kHCentre},
                             {QT_TRANSLATE_NOOP("PropertyItems", "右上"), kTop | kRight},
                             {QT_TRANSLATE_NOOP("PropertyItems", "左中央"), kVCentre | kLeft},
                             {QT_TRANSLATE_NOOP("PropertyItems", "中央"), kVCentre | kHCentre},
                             {QT_TRANSLATE_NOOP("PropertyItems", "右中央"), kVCentre | kRight},
                             {QT_TRANSLATE_NOOP("PropertyItems", "左下"), kBottom | kLeft},
                             {QT_TRANSLATE_NOOP("PropertyItems", "下中央"), kBottom | kHCentre},
                             {QT_TRANSLATE_NOOP("PropertyItems", "右下"), kBottom | kRight}};
const Choices kTitlePositions = {
    {QT_TRANSLATE_NOOP("PropertyItems", "自由"), 0},   {QT_TRANSLATE_NOOP("PropertyItems", "左上"), 1},
    {QT_TRANSLATE_NOOP("PropertyItems", "上中央"), 2}, {QT_TRANSLATE_NOOP("PropertyItems", "右上"), 3},
    {QT_TRANSLATE_NOOP("PropertyItems", "左下"), 4},   {QT_TRANSLATE_NOOP("PropertyItems", "下中央"), 5},
    {QT_TRANSLATE_NOOP("PropertyItems", "右下"), 6}};
const Choices kLegendPositions = {{QT_TRANSLATE_NOOP("PropertyItems", "グラフの左"), 0},
                                  {QT_TRANSLATE_NOOP("PropertyItems", "グラフの上"), 1},
                                  {QT_TRANSLATE_NOOP("PropertyItems", "グラフの右"), 2},
                                  {QT_TRANSLATE_NOOP("PropertyItems", "グラフの下"), 3},
                                  {QT_TRANSLATE_NOOP("PropertyItems", "自由"), 4}};
const Choices kLineStyles = {{QT_TRANSLATE_NOOP("PropertyItems", "実線"), 0},
                             {QT_TRANSLATE_NOOP("PropertyItems", "破線"), 1},
                             {QT_TRANSLATE_NOOP("PropertyItems", "点線"), 2},
                             {QT_TRANSLATE_NOOP("PropertyItems", "一点鎖線"), 3},
                             {QT_TRANSLATE_NOOP("PropertyItems", "二点鎖線"), 4}};
const Choices kSymbols = {{QT_TRANSLATE_NOOP("PropertyItems", "なし"), 0},
                          {QT_TRANSLATE_NOOP("PropertyItems", "丸"), 1},
                          {QT_TRANSLATE_NOOP("PropertyItems", "四角"), 2},
                          {QT_TRANSLATE_NOOP("PropertyItems", "上向き三角"), 3},
                          {QT_TRANSLATE_NOOP("PropertyItems", "下向き三角"), 4},
                          {QT_TRANSLATE_NOOP("PropertyItems", "ひし形"), 5},
                          {QT_TRANSLATE_NOOP("PropertyItems", "×"), 6},
                          {QT_TRANSLATE_NOOP("PropertyItems", "＋"), 7}};

// "なし" and the graph's value axes by identifier, left ones first.
Choices ValueAxes(Graph& g)
{
    Choices choices = {{Text(QT_TRANSLATE_NOOP("PropertyItems", "なし")), 0}};
    for (const uint8_t type : {Axis::kLeft, Axis::kRight}) {
        const auto& list = g.GetAxes().List(type);
        for (size_t i = 0; i < list.size(); ++i) {
            QString label = Text(type == Axis::kLeft ? QT_TRANSLATE_NOOP("PropertyItems", "左軸")
                                                     : QT_TRANSLATE_NOOP("PropertyItems", "右軸")) +
                            QString::number(i + 1);
            const QString title = list[i]->GetTitle().GetText();
            if (!title.isEmpty()) label += QStringLiteral(" (") + title + QStringLiteral(")");
            choices.emplace_back(label, g.GetAxes().IndexOf(list[i].get()));
        }
    }
    return choices;
}

// A colour entry's choices are named colours offered besides the colour dialog.
const Choices kNoColourChoice = {{QT_TRANSLATE_NOOP("PropertyItems", "なし"), int32_t(kNoColour)}};

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

// --- the entries of each object -------------------------------------------------------------------

std::vector<Row> TitleRows()
{
    using E = PropertyEditor;
    return {
        {"Overall/Visible", QT_TRANSLATE_NOOP("PropertyItems", "表示"), E::kBool,
         Stored(&TitleGlyph, &GlyphSchema, "visible"), nullptr},
        {"Overall/Text", QT_TRANSLATE_NOOP("PropertyItems", "テキスト"), E::kText,
         Stored(&TitleTextOf, &GlyphTextSchema, "Text"), Setter<GraphTitleCmdSetText, QString>(&TitleOwner)},
        {"Overall/TextAlignment", QT_TRANSLATE_NOOP("PropertyItems", "文字の配置"), E::kChoice,
         Stored(&TitleTextOf, &GlyphTextSchema, "Alignment"),
         Setter<GraphTitleCmdSetTextAlignment, uint8_t>(&TitleOwner), 0, 0, kAlignments},
        {"Overall/Pos", QT_TRANSLATE_NOOP("PropertyItems", "位置"), E::kChoice,
         Stored(&Title, &GraphTitleSchema, "Position"),
         // The title keeps its place; laying out again moves it to the new position.
         [](Graph& g, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
             const GraphTitle& title = g.GetTitle();
             return std::make_shared<GraphTitleCmdMove>(TitleOwner(g, t), title.GetOrigin(),
                                                        FromValue<int32_t>(v), title.GetArea());
         },
         0, 0, kTitlePositions},
        {"Font/Name", QT_TRANSLATE_NOOP("PropertyItems", "フォント名"), E::kFontName,
         Stored(&TitleFont, &GdiDrawStrSchema, "font_name"), nullptr},
        {"Font/Size", QT_TRANSLATE_NOOP("PropertyItems", "サイズ"), E::kInt,
         Stored(&TitleFont, &GdiDrawStrSchema, "font_size"), nullptr, 1, 500},
        {"Font/Style", QT_TRANSLATE_NOOP("PropertyItems", "スタイル"), E::kChoice,
         Stored(&TitleFont, &GdiDrawStrSchema, "font_style"), nullptr, 0, 0, kFontStyles},
        {"Font/Color", QT_TRANSLATE_NOOP("PropertyItems", "文字色"), E::kColour,
         Stored(&TitleFont, &GdiDrawStrSchema, "text_color"), nullptr},
    };
}

std::vector<Row> LegendRows()
{
    using E = PropertyEditor;
    return {
        {"Overall/Visible", QT_TRANSLATE_NOOP("PropertyItems", "表示"), E::kBool,
         Stored(&LegendGlyph, &GlyphSchema, "visible"), nullptr},
        {"Overall/Pos", QT_TRANSLATE_NOOP("PropertyItems", "位置"), E::kChoice,
         Stored(&Legend, &GraphLegendSchema, "position"), nullptr, 0, 0, kLegendPositions},
        {"Overall/AutoSizing", QT_TRANSLATE_NOOP("PropertyItems", "自動サイズ"), E::kInt,
         Stored(&LegendSizing, &AutoSizingSchema, "mode"), nullptr, 0, 15},
        {"Overall/MaxCh", QT_TRANSLATE_NOOP("PropertyItems", "最大チャンネル数"), E::kInt,
         Stored(&Legend, &GraphLegendSchema, "MaxCh"), nullptr, 1, 100},
        {"Overall/Row", QT_TRANSLATE_NOOP("PropertyItems", "行数"), E::kInt,
         Stored(&Legend, &GraphLegendSchema, "Row"), nullptr, 0, 100},
        {"Overall/Column", QT_TRANSLATE_NOOP("PropertyItems", "列数"), E::kInt,
         Stored(&Legend, &GraphLegendSchema, "Column"), nullptr, 0, 100},
        {"View/Label", QT_TRANSLATE_NOOP("PropertyItems", "ラベルの種類"), E::kInt,
         Stored(&Legend, &GraphLegendSchema, "LabelType"), nullptr, 0, 15},
        {"View/FrameColor", QT_TRANSLATE_NOOP("PropertyItems", "枠の色"), E::kColour,
         Stored(&LegendRect, &GdiDrawRectSchema, "frame_color"), nullptr, 0, 0, kNoColourChoice},
        {"View/FrameWidth", QT_TRANSLATE_NOOP("PropertyItems", "枠の太さ"), E::kInt,
         Stored(&LegendRect, &GdiDrawRectSchema, "frame_width"), nullptr, 0, 100},
        {"View/FrameRound", QT_TRANSLATE_NOOP("PropertyItems", "角の丸み"), E::kInt,
         Stored(&LegendRect, &GdiDrawRectSchema, "frame_round"), nullptr, 0, 100},
        {"View/Gradation", QT_TRANSLATE_NOOP("PropertyItems", "グラデーション"), E::kBool,
         Stored(&LegendRect, &GdiDrawRectSchema, "back_gradation"), nullptr},
        {"View/BackColor1", QT_TRANSLATE_NOOP("PropertyItems", "背景色1"), E::kColour,
         Stored(&LegendRect, &GdiDrawRectSchema, "back_color1"), nullptr, 0, 0, kNoColourChoice},
        {"View/BackColor2", QT_TRANSLATE_NOOP("PropertyItems", "背景色2"), E::kColour,
         Stored(&LegendRect, &GdiDrawRectSchema, "back_color2"), nullptr, 0, 0, kNoColourChoice},
        {"View/ShadowDepth", QT_TRANSLATE_NOOP("PropertyItems", "影の深さ"), E::kInt,
         Stored(&LegendRect, &GdiDrawRectSchema, "shadow_depth"), nullptr, 0, 100},
        {"View/Padding", QT_TRANSLATE_NOOP("PropertyItems", "余白"), E::kRect,
         Stored(&Legend, &GraphLegendSchema, "Padding"), nullptr, 0, 1000},
        {"Font/Name", QT_TRANSLATE_NOOP("PropertyItems", "フォント名"), E::kFontName,
         Stored(&LegendFont, &GdiDrawStrSchema, "font_name"), nullptr},
        {"Font/Size", QT_TRANSLATE_NOOP("PropertyItems", "サイズ"), E::kInt,
         Stored(&LegendFont, &GdiDrawStrSchema, "font_size"), nullptr, 1, 500},
        {"Font/Style", QT_TRANSLATE_NOOP("PropertyItems", "スタイル"), E::kChoice,
         Stored(&LegendFont, &GdiDrawStrSchema, "font_style"), nullptr, 0, 0, kFontStyles},
        {"Font/Color", QT_TRANSLATE_NOOP("PropertyItems", "文字色"), E::kColour,
         Stored(&LegendFont, &GdiDrawStrSchema, "text_color"), nullptr},
    };
}

// Every shape kind's entries; each kind shows those of its property set that it has.
std::vector<Row> ShapeRows()
{
    using E = PropertyEditor;
    Row assAxis{"Overall/AssAxisY", QT_TRANSLATE_NOOP("PropertyItems", "関連付けるY軸"), E::kChoice,
                Computed([](Graph& g, const PropertyTarget& t) -> std::optional<PropertyValue> {
                    if (!t.shape) return std::nullopt;
                    const Axis* axis = t.shape->GetAxisY().get();
                    return int32_t(axis ? g.GetAxes().IndexOf(axis) : 0);
                }),
                [](Graph& g, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
                    if (!t.shape) return nullptr;
                    const int32_t identifier = FromValue<int32_t>(v);
                    std::shared_ptr<Axis> axis = identifier ? FindAxis(g, identifier) : nullptr;
                    if (identifier && (!axis || !axis->IsVertical())) return nullptr;
                    return std::make_shared<ShapeBaseCmdSetAssociationAxis>(t.shape, t.shape->GetAxisX(),
                                                                            axis);
                }};
    assAxis.choicesOf = &ValueAxes;
    return {
        {"Overall/Lock", QT_TRANSLATE_NOOP("PropertyItems", "ロック"), E::kBool,
         Stored(&Shape, &ShapeBaseSchema, "lock"), Setter<ShapeBaseCmdSetLock, bool>(&ShapeOwner)},
        assAxis,
        {"Overall/Text", QT_TRANSLATE_NOOP("PropertyItems", "テキスト"), E::kText,
         Stored(&BoxText, &GlyphTextSchema, "Text"),
         BoxOrBallon<ShapeTextBoxCmdSetText, ShapeBallonCmdSetText, QString>()},
        {"Overall/TextAlignment", QT_TRANSLATE_NOOP("PropertyItems", "文字の配置"), E::kChoice,
         Stored(&BoxText, &GlyphTextSchema, "Alignment"),
         BoxOrBallon<ShapeTextBoxCmdSetAlignment, ShapeBallonCmdSetTextAlignment, uint8_t>(), 0, 0,
         kAlignments},
        {"Overall/LinePos", QT_TRANSLATE_NOOP("PropertyItems", "引き出し線の位置"), E::kInt,
         Stored(&Ballon, &ShapeBallonSchema, "Alignment"),
         Setter<ShapeBallonCmdSetAlignment, uint8_t>(&BallonOwner), 0, 255},
        {"View/LineColor", QT_TRANSLATE_NOOP("PropertyItems", "線の色"), E::kColour,
         Stored(&Line, &GdiDrawLineSchema, "lopn_color"),
         LineOrBallon<ShapeLineCmdSetLineColor, ShapeBallonCmdSetLineColor, uint32_t>()},
        {"View/LineWidth", QT_TRANSLATE_NOOP("PropertyItems", "線の太さ"), E::kInt,
         Stored(&Line, &GdiDrawLineSchema, "lopn_width_x"),
         LineOrBallon<ShapeLineCmdSetLineWidth, ShapeBallonCmdSetLineWidth, int32_t>(), 1, 100},
        {"View/StartPointStyle", QT_TRANSLATE_NOOP("PropertyItems", "始点のスタイル"), E::kChoice,
         Stored(&Line, &GdiDrawLineSchema, "start_point_style"),
         LineOrBallon<ShapeLineCmdSetStartPointStyle, ShapeBallonCmdSetStartPointStyle, uint8_t>(), 0, 0,
         kPointStyles},
        {"View/StartPointSize", QT_TRANSLATE_NOOP("PropertyItems", "始点のサイズ"), E::kInt,
         Stored(&Line, &GdiDrawLineSchema, "start_point_size"),
         LineOrBallon<ShapeLineCmdSetStartPointSize, ShapeBallonCmdSetStartPointSize, uint8_t>(), 0, 255},
        {"View/EndPointStyle", QT_TRANSLATE_NOOP("PropertyItems", "終点のスタイル"), E::kChoice,
         Stored(&LineEnd, &GdiDrawLineSchema, "end_point_style"),
         Setter<ShapeLineCmdSetEndPointStyle, uint8_t>(&LineOwner), 0, 0, kPointStyles},
        {"View/EndPointSize", QT_TRANSLATE_NOOP("PropertyItems", "終点のサイズ"), E::kInt,
         Stored(&LineEnd, &GdiDrawLineSchema, "end_point_size"),
         Setter<ShapeLineCmdSetEndPointSize, uint8_t>(&LineOwner), 0, 255},
        {"View/FrameColor", QT_TRANSLATE_NOOP("PropertyItems", "枠の色"), E::kColour,
         Stored(&BoxRect, &GdiDrawRectSchema, "frame_color"),
         BoxOrBallon<ShapeTextBoxCmdSetFrameColor, ShapeBallonCmdSetFrameColor, uint32_t>(), 0, 0,
         kNoColourChoice},
        {"View/FrameWidth", QT_TRANSLATE_NOOP("PropertyItems", "枠の太さ"), E::kInt,
         Stored(&BoxRect, &GdiDrawRectSchema, "frame_width"),
         BoxOrBallon<ShapeTextBoxCmdSetFrameWidth, ShapeBallonCmdSetFrameWidth, int32_t>(), 0, 100},
        {"View/FrameRound", QT_TRANSLATE_NOOP("PropertyItems", "角の丸み"), E::kInt,
         Stored(&BoxRect, &GdiDrawRectSchema, "frame_round"),
         BoxOrBallon<ShapeTextBoxCmdSetFrameRound, ShapeBallonCmdSetFrameRound, int32_t>(), 0, 100},
        {"View/ShadowDepth", QT_TRANSLATE_NOOP("PropertyItems", "影の深さ"), E::kInt,
         Stored(&BoxRect, &GdiDrawRectSchema, "shadow_depth"),
         BoxOrBallon<ShapeTextBoxCmdSetShadowDepth, ShapeBallonCmdSetShadowDepth, int32_t>(), 0, 100},
        {"Font/Name", QT_TRANSLATE_NOOP("PropertyItems", "フォント名"), E::kFontName,
         Stored(&BoxFont, &GdiDrawStrSchema, "font_name"),
         BoxOrBallon<ShapeTextBoxCmdSetFontName, ShapeBallonCmdSetFontName, QString>()},
        {"Font/Size", QT_TRANSLATE_NOOP("PropertyItems", "サイズ"), E::kInt,
         Stored(&BoxFont, &GdiDrawStrSchema, "font_size"),
         BoxOrBallon<ShapeTextBoxCmdSetFontSize, ShapeBallonCmdSetFontSize, int32_t>(), 1, 500},
        {"Font/Style", QT_TRANSLATE_NOOP("PropertyItems", "スタイル"), E::kChoice,
         Stored(&BoxFont, &GdiDrawStrSchema, "font_style"),
         BoxOrBallon<ShapeTextBoxCmdSetFontStyle, ShapeBallonCmdSetFontStyle, int32_t>(), 0, 0, kFontStyles},
        {"Font/Color", QT_TRANSLATE_NOOP("PropertyItems", "文字色"), E::kColour,
         Stored(&BoxFont, &GdiDrawStrSchema, "text_color"),
         BoxOrBallon<ShapeTextBoxCmdSetFontColor, ShapeBallonCmdSetFontColor, uint32_t>()},
    };
}

// The minimum span an axis keeps between the ends of a range.
bool Ordered(const Axis& axis, double min, double max)
{
    return std::isfinite(min) && std::isfinite(max) && max - min >= axis.GetMinimumSpan();
}

std::vector<Row> AxisRows()
{
    using E = PropertyEditor;
    std::vector<Row> rows = {
        {"Overall/DisplayMin", QT_TRANSLATE_NOOP("PropertyItems", "表示範囲の最小値"), E::kReal,
         Computed([](Graph&, const PropertyTarget& t) -> std::optional<PropertyValue> {
             if (!t.axis) return std::nullopt;
             return t.axis->GetDisplayMin();
         }),
         [](Graph&, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
             const double min = FromValue<double>(v), max = t.axis->GetDisplayMax();
             if (min < t.axis->GetRangeMin() || !Ordered(*t.axis, min, max)) return nullptr;
             return std::make_shared<AxisCmdSetDisplayRange>(t.axis, min, max);
         }},
        {"Overall/DisplayMax", QT_TRANSLATE_NOOP("PropertyItems", "表示範囲の最大値"), E::kReal,
         Computed([](Graph&, const PropertyTarget& t) -> std::optional<PropertyValue> {
             if (!t.axis) return std::nullopt;
             return t.axis->GetDisplayMax();
         }),
         [](Graph&, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
             const double min = t.axis->GetDisplayMin(), max = FromValue<double>(v);
             if (max > t.axis->GetRangeMax() || !Ordered(*t.axis, min, max)) return nullptr;
             return std::make_shared<AxisCmdSetDisplayRange>(t.axis, min, max);
         }},
        {"Overall/RangeMin", QT_TRANSLATE_NOOP("PropertyItems", "範囲の最小値"), E::kReal,
         Computed([](Graph&, const PropertyTarget& t) -> std::optional<PropertyValue> {
             if (!t.axis) return std::nullopt;
             return t.axis->GetRangeMin();
         }),
         [](Graph&, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
             const double min = FromValue<double>(v), max = t.axis->GetRangeMax();
             if (!Ordered(*t.axis, min, max)) return nullptr;
             return std::make_shared<AxisCmdSetAxisRange>(t.axis, min, max);
         }},
        {"Overall/RangeMax", QT_TRANSLATE_NOOP("PropertyItems", "範囲の最大値"), E::kReal,
         Computed([](Graph&, const PropertyTarget& t) -> std::optional<PropertyValue> {
             if (!t.axis) return std::nullopt;
             return t.axis->GetRangeMax();
         }),
         [](Graph&, const PropertyTarget& t, const PropertyValue& v) -> CmdPtr {
             const double min = t.axis->GetRangeMin(), max = FromValue<double>(v);
             if (!Ordered(*t.axis, min, max)) return nullptr;
             return std::make_shared<AxisCmdSetAxisRange>(t.axis, min, max);
         }},
        {"Overall/AutoRange", QT_TRANSLATE_NOOP("PropertyItems", "範囲の自動調整"), E::kBool,
         Stored(&AxisOf, &AxisSchema, "auto_range"), Setter<AxisCmdSetAutoRange, bool>(&AxisOwner)},
        {"Overall/DecimalPlaces", QT_TRANSLATE_NOOP("PropertyItems", "小数点以下の桁数"), E::kInt,
         Stored(&AxisOf, &AxisLabelFormatSchema, "decimal_places"),
         Setter<AxisCmdSetDecimalPlaces, int32_t>(&AxisOwner), 0, LabelFormatValue::kMaxDecimalPlaces},
        {"Overall/ScaleInterval", QT_TRANSLATE_NOOP("PropertyItems", "目盛の間隔"), E::kReal,
         Stored(&AxisOf, &AxisSchema, "scale_band"), Setter<AxisCmdSetScaleInterval, double>(&AxisOwner), 0,
         kMaxInt},
        {"Overall/SubscaleInterval", QT_TRANSLATE_NOOP("PropertyItems", "補助目盛の間隔"), E::kReal,
         Stored(&AxisOf, &AxisSchema, "subscale_band"),
         Setter<AxisCmdSetSubscaleInterval, double>(&AxisOwner), 0, kMaxInt},
        {"Overall/TitleVisible", QT_TRANSLATE_NOOP("PropertyItems", "タイトルの表示"), E::kBool,
         Stored(&AxisTitleGlyph, &GlyphSchema, "visible"), Setter<AxisCmdSetTitleVisible, bool>(&AxisOwner)},
        {"Overall/Title", QT_TRANSLATE_NOOP("PropertyItems", "タイトル"), E::kText,
         Stored(&AxisTitleText, &GlyphTextSchema, "Text"), Setter<AxisCmdSetTitleText, QString>(&AxisOwner)},
        {"Overall/UnitVisible", QT_TRANSLATE_NOOP("PropertyItems", "単位の表示"), E::kBool,
         Stored(&AxisUnitGlyph, &GlyphSchema, "visible"), Setter<AxisCmdSetUnitVisible, bool>(&AxisOwner)},
        {"Overall/Unit", QT_TRANSLATE_NOOP("PropertyItems", "単位"), E::kText,
         Stored(&AxisUnitText, &GlyphTextSchema, "Text"), Setter<AxisCmdSetUnitText, QString>(&AxisOwner)},
        {"Font/Name", QT_TRANSLATE_NOOP("PropertyItems", "フォント名"), E::kFontName,
         Stored(&AxisLabelFont, &GdiDrawStrSchema, "font_name"),
         Setter<AxisCmdSetLabelFontName, QString>(&AxisOwner)},
        {"Font/Size", QT_TRANSLATE_NOOP("PropertyItems", "サイズ"), E::kInt,
         Stored(&AxisLabelFont, &GdiDrawStrSchema, "font_size"),
         Setter<AxisCmdSetLabelFontSize, int32_t>(&AxisOwner), 1, 500},
        {"Font/Style", QT_TRANSLATE_NOOP("PropertyItems", "スタイル"), E::kChoice,
         Stored(&AxisLabelFont, &GdiDrawStrSchema, "font_style"),
         Setter<AxisCmdSetLabelFontStyle, int32_t>(&AxisOwner), 0, 0, kFontStyles},
        {"Font/Color", QT_TRANSLATE_NOOP("PropertyItems", "文字色"), E::kColour,
         Stored(&AxisLabelFont, &GdiDrawStrSchema, "text_color"),
         Setter<AxisCmdSetLabelFontColor, uint32_t>(&AxisOwner)},
    };
    // Time axes count in seconds of the graph's clock.
    for (Row& row : rows) {
        const std::string property = row.property;
        if (property.starts_with("Overall/Display") || property.starts_with("Overall/Range"))
            row.dateOnTimeAxis = true;
        if (property == "Overall/ScaleInterval")
            row.timeAxisLabel = QT_TRANSLATE_NOOP("PropertyItems", "目盛の間隔（秒）");
        if (property == "Overall/SubscaleInterval")
            row.timeAxisLabel = QT_TRANSLATE_NOOP("PropertyItems", "補助目盛の間隔（秒）");
    }
    return rows;
}

std::vector<Row> ChannelRows()
{
    using E = PropertyEditor;
    return {
        {"Overall/Color", QT_TRANSLATE_NOOP("PropertyItems", "線の色"), E::kColour,
         Stored(&ChannelLine, &GdiDrawLineGraphSchema, "color"),
         Setter<GChCmdSetColor, uint32_t>(&ChannelOwner)},
        {"Overall/Width", QT_TRANSLATE_NOOP("PropertyItems", "線の太さ"), E::kInt,
         Stored(&ChannelLine, &GdiDrawLineGraphSchema, "width"),
         Setter<GChCmdSetWidth, int32_t>(&ChannelOwner), 1, 100},
        {"Overall/Style", QT_TRANSLATE_NOOP("PropertyItems", "線の種類"), E::kChoice,
         Stored(&ChannelLine, &GdiDrawLineGraphSchema, "style"),
         Setter<GChCmdSetStyle, int32_t>(&ChannelOwner), 0, 0, kLineStyles},
        {"Overall/Symbol", QT_TRANSLATE_NOOP("PropertyItems", "シンボル"), E::kChoice,
         Stored(&ChannelLine, &GdiDrawLineGraphSymbolSchema, "symbol"),
         Setter<GChCmdSetSymbol, int32_t>(&ChannelOwner), 0, 0, kSymbols},
        {"Overall/SymbolDist", QT_TRANSLATE_NOOP("PropertyItems", "シンボルの間隔"), E::kInt,
         Stored(&ChannelLine, &GdiDrawLineGraphSchema, "symbol_dist"),
         Setter<GChCmdSetSymbolDist, int32_t>(&ChannelOwner), 0, 1000},
    };
}

// Axes and channels have no default-value set: their keys are listed here, headers included.
const std::vector<std::string>& OwnKeys(const std::string& object, const std::vector<Row>& rows)
{
    static std::map<std::string, std::vector<std::string>> keys;
    std::vector<std::string>& list = keys[object];
    if (list.empty()) {
        std::string group;
        for (const Row& row : rows) {
            const std::string property = row.property;
            const std::string rowGroup = property.substr(0, property.find('/'));
            if (rowGroup != group) list.push_back(object + "/" + (group = rowGroup));
            list.push_back(object + "/" + property);
        }
    }
    return list;
}

// The entries of a target's kind, by the key after the object.
const std::map<std::string, Row>& RowsOf(PropertyTarget::Kind kind)
{
    const auto table = [](std::vector<Row> rows) {
        std::map<std::string, Row> byProperty;
        for (Row& row : rows) byProperty.emplace(row.property, std::move(row));
        return byProperty;
    };
    static const std::map<std::string, Row> title = table(TitleRows()), legend = table(LegendRows()),
                                            shape = table(ShapeRows()), axis = table(AxisRows()),
                                            channel = table(ChannelRows());
    switch (kind) {
        case PropertyTarget::kTitle:
            return title;
        case PropertyTarget::kLegend:
            return legend;
        case PropertyTarget::kAxis:
            return axis;
        case PropertyTarget::kChannel:
            return channel;
        case PropertyTarget::kShape:
            break;
    }
    return shape;
}

// The object part of the target's keys; empty when the target is not set.
std::string ObjectOf(const PropertyTarget& target)
{
    switch (target.kind) {
        case PropertyTarget::kTitle:
            return "GDV/GraphTitle";
        case PropertyTarget::kLegend:
            return "GDV/Legend";
        case PropertyTarget::kAxis:
            return target.axis ? "Axis" : "";
        case PropertyTarget::kChannel:
            return target.channel ? "Ch" : "";
        case PropertyTarget::kShape:
            return target.shape ? ShapeBase::PropertyObject(target.shape->GetKind()) : "";
    }
    return {};
}

const std::vector<std::string>& KeysOf(const PropertyTarget& target, const std::string& object)
{
    static const std::vector<std::string> none;
    if (target.kind == PropertyTarget::kAxis) return OwnKeys(object, AxisRows());
    if (target.kind == PropertyTarget::kChannel) return OwnKeys(object, ChannelRows());
    return object.empty() ? none : PropertyKeys(object);
}

// The entry of a key of the target, or null.
const Row* Find(const PropertyTarget& target, const std::string& asked)
{
    const std::string object = ObjectOf(target);
    // A line and an arrow share their entries: an end mark set in the pane turns one into the
    // other while the pane still holds the keys it showed.
    std::string key = asked;
    for (const std::string other : {"GDV/ShapeLine/", "GDV/ShapeArrow/"})
        if ((object == "GDV/ShapeLine" || object == "GDV/ShapeArrow") && key.starts_with(other))
            key = object + "/" + key.substr(other.size());
    if (object.empty() || key.size() <= object.size() + 1 ||
        key.compare(0, object.size() + 1, object + "/") != 0)
        return nullptr;
    const std::vector<std::string>& keys = KeysOf(target, object);
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return nullptr;
    const auto& rows = RowsOf(target.kind);
    const auto found = rows.find(key.substr(object.size() + 1));
    return found == rows.end() ? nullptr : &found->second;
}

bool OnTimeAxis(const PropertyTarget& target)
{
    return target.kind == PropertyTarget::kAxis && target.axis && !target.axis->IsVertical();
}

PropertyItem ItemOf(Graph& graph, const PropertyTarget& target, const std::string& key, const Row& row)
{
    const bool time = OnTimeAxis(target);
    PropertyItem item{key,        Text(time && row.timeAxisLabel ? row.timeAxisLabel : row.label),
                      row.editor, row.choices,
                      row.min,    row.max};
    if (time && row.dateOnTimeAxis) item.editor = PropertyEditor::kDateTime;
    for (auto& choice : item.choices) choice.first = Text(choice.first.toUtf8().constData());
    if (row.choicesOf) item.choices = row.choicesOf(graph);
    return item;
}

QString GroupLabel(const std::string& group)
{
    if (group == "Overall") return Text(QT_TRANSLATE_NOOP("PropertyItems", "全般"));
    if (group == "View") return Text(QT_TRANSLATE_NOOP("PropertyItems", "表示"));
    if (group == "Font") return Text(QT_TRANSLATE_NOOP("PropertyItems", "フォント"));
    return QString::fromStdString(group);
}

bool IsNumber(const PropertyValue& v)
{
    return std::holds_alternative<int32_t>(v) || std::holds_alternative<uint32_t>(v) ||
           std::holds_alternative<double>(v);
}

// The value as the entry's editor carries it; nullopt when the entry does not accept it.
std::optional<PropertyValue> Accepted(const PropertyItem& item, const PropertyValue& v)
{
    using E = PropertyEditor;
    switch (item.editor) {
        case E::kHeader:
            return std::nullopt;
        case E::kBool:
            if (!IsNumber(v)) return std::nullopt;
            return int32_t(FromValue<double>(v) != 0);
        case E::kInt: {
            if (!IsNumber(v)) return std::nullopt;
            const double n = FromValue<double>(v);
            if (!(n >= item.min && n <= item.max)) return std::nullopt;
            return int32_t(n);
        }
        case E::kChoice: {
            if (!IsNumber(v)) return std::nullopt;
            const double n = FromValue<double>(v);
            for (const auto& choice : item.choices)
                if (n == choice.second) return choice.second;
            return std::nullopt;
        }
        case E::kColour:
            if (std::holds_alternative<double>(v) || !IsNumber(v)) return std::nullopt;
            return FromValue<uint32_t>(v);
        case E::kFontName:
            if (!std::holds_alternative<QString>(v) || std::get<QString>(v).isEmpty()) return std::nullopt;
            return v;
        case E::kText:
            if (!std::holds_alternative<QString>(v)) return std::nullopt;
            return v;
        case E::kReal:
        case E::kDateTime: {
            if (!IsNumber(v)) return std::nullopt;
            const double x = FromValue<double>(v);
            if (!std::isfinite(x) || (item.min < item.max && !(x >= item.min && x <= item.max)))
                return std::nullopt;
            return x;
        }
        case E::kRect:
            if (!std::holds_alternative<Rect>(v)) return std::nullopt;
            return v;
    }
    return std::nullopt;
}

// A stored value in the type of its editor (flags are int32_t, colours uint32_t).
PropertyValue Normalised(PropertyEditor editor, const PropertyValue& v)
{
    using E = PropertyEditor;
    switch (editor) {
        case E::kBool:
            return int32_t(FromValue<double>(v) != 0);
        case E::kInt:
        case E::kChoice:
            return FromValue<int32_t>(v);
        case E::kColour:
            return FromValue<uint32_t>(v);
        case E::kReal:
        case E::kDateTime:
            return FromValue<double>(v);
        default:
            return v;
    }
}

}  // namespace

std::vector<PropertyItem> PropertyItemsOf(Graph& graph, const PropertyTarget& target)
{
    std::vector<PropertyItem> items;
    const std::string object = ObjectOf(target);
    if (object.empty()) return items;
    std::optional<PropertyItem> header;
    for (const std::string& key : KeysOf(target, object)) {
        const std::string property = key.substr(object.size() + 1);
        if (property.find('/') == std::string::npos) {
            header = PropertyItem{key, GroupLabel(property), PropertyEditor::kHeader, {}, 0, 0};
            continue;
        }
        const Row* row = Find(target, key);
        if (!row || !row->read(graph, target)) continue;
        if (header) items.push_back(*std::exchange(header, std::nullopt));
        items.push_back(ItemOf(graph, target, key, *row));
    }
    return items;
}

std::optional<PropertyValue> ReadProperty(Graph& graph, const PropertyTarget& target, const std::string& key)
{
    const Row* row = Find(target, key);
    if (!row) return std::nullopt;
    const std::optional<PropertyValue> value = row->read(graph, target);
    if (!value) return std::nullopt;
    return Normalised(row->editor, *value);
}

std::shared_ptr<orvel::Cmd> MakePropertyCmd(Graph& graph, const PropertyTarget& target,
                                            const std::string& key, const PropertyValue& value)
{
    const Row* row = Find(target, key);
    if (!row || !row->read(graph, target)) return nullptr;
    const std::optional<PropertyValue> accepted = Accepted(ItemOf(graph, target, key, *row), value);
    if (!accepted) return nullptr;
    return row->make ? row->make(graph, target, *accepted) : MakePropertyCmd(graph, key, *accepted);
}

bool IsInGraph(Graph& graph, const PropertyTarget& target)
{
    switch (target.kind) {
        case PropertyTarget::kTitle:
        case PropertyTarget::kLegend:
            return true;
        case PropertyTarget::kAxis:
            return target.axis && graph.GetAxes().IndexOf(target.axis.get()) != 0;
        case PropertyTarget::kChannel: {
            const auto& list = graph.GetChannels().List();
            return target.channel && std::find(list.begin(), list.end(), target.channel) != list.end();
        }
        case PropertyTarget::kShape:
            return target.shape && graph.GetShapes().IndexOf(target.shape.get()) >= 0;
    }
    return false;
}

}  // namespace ovgGraph
