#pragma once

#include <QString>

#include "graph/Axis.h"
#include "graph/GCh.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/GdiDrawRect.h"
#include "graph/GdiDrawStr.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/commands/PropertySetCmd.h"
#include "graph/state/GraphState.h"

// The plain property setters of the graph: one line each. Target, reached primitive, property
// and value type; undo writes the value read when the command was first executed.
namespace ovgGraph {
namespace reach {
inline GdiDrawLineGraphGDIP& Line(GCh& c) { return c.GetDrawer(); }
inline Axis& Self(Axis& a) { return a; }
inline GraphLegend& Self(GraphLegend& l) { return l; }
inline GdiDrawRect& Self(GdiDrawRect& r) { return r; }
inline GdiDrawStr& Self(GdiDrawStr& s) { return s; }
inline Glyph& Cursor(Axis& a) { return a.GetCursor(); }
inline AxisDrawer& Drawer(Axis& a) { return a.GetDrawer(); }
inline Glyph& TitleGlyph(Axis& a) { return a.GetTitle(); }
inline GlyphText& Title(Axis& a) { return a.GetTitle(); }
inline GdiDrawStr& TitleFont(Axis& a) { return a.GetTitle().GetDrawStr(); }
inline Glyph& UnitGlyph(Axis& a) { return a.GetUnit(); }
inline GlyphText& Unit(Axis& a) { return a.GetUnit(); }
inline GdiDrawStr& UnitFont(Axis& a) { return a.GetUnit().GetDrawStr(); }
inline GdiDrawStr& LabelFont(Axis& a) { return a.GetLabelFont(); }
inline GdiDrawRect& LegendRect(GraphLegend& l) { return l.GetDrawRect(); }
inline GdiDrawStr& LegendFont(GraphLegend& l) { return l.GetFont(); }
inline GlyphText& TitleTextOf(GraphTitle& t) { return t; }
}  // namespace reach

OVG_SETTER_CMD(GChCmdSetColor, GCh, GdiDrawLineGraphGDIP, reach::Line, GdiDrawLineGraphSchema, "color", uint32_t);
OVG_SETTER_CMD(GChCmdSetWidth, GCh, GdiDrawLineGraphGDIP, reach::Line, GdiDrawLineGraphSchema, "width", int32_t);
OVG_SETTER_CMD(GChCmdSetStyle, GCh, GdiDrawLineGraphGDIP, reach::Line, GdiDrawLineGraphSchema, "style", int32_t);
OVG_SETTER_CMD(GChCmdSetSymbol, GCh, GdiDrawLineGraphGDIP, reach::Line, GdiDrawLineGraphSymbolSchema, "symbol", int32_t);
OVG_SETTER_CMD(GChCmdSetSymbolDist, GCh, GdiDrawLineGraphGDIP, reach::Line, GdiDrawLineGraphSchema, "symbol_dist", int32_t);

OVG_SETTER_CMD(AxisCmdSetAutoRange, Axis, Axis, reach::Self, AxisSchema, "auto_range", bool);
// Date-time labels have no decimal places: the command is then disabled.
OVG_SETTER_CMD(AxisCmdSetDecimalPlaces, Axis, Axis, reach::Self, AxisLabelFormatSchema, "decimal_places", int32_t);
OVG_SETTER_CMD(AxisCmdSetAxisCursorVisible, Axis, Glyph, reach::Cursor, GlyphSchema, "visible", bool);
OVG_SETTER_CMD(AxisCmdSetScaleDrawType, Axis, AxisDrawer, reach::Drawer, AxisDrawerSchema, "scale_draw_type", int32_t);
OVG_SETTER_CMD(AxisCmdSetSubscaleDrawType, Axis, AxisDrawer, reach::Drawer, AxisDrawerSchema, "subscale_draw_type", int32_t);
OVG_SETTER_CMD(AxisCmdSetScaleInterval, Axis, Axis, reach::Self, AxisSchema, "scale_band", double);
OVG_SETTER_CMD(AxisCmdSetSubscaleInterval, Axis, Axis, reach::Self, AxisSchema, "subscale_band", double);
OVG_SETTER_CMD(AxisCmdSetTitleVisible, Axis, Glyph, reach::TitleGlyph, GlyphSchema, "visible", bool);
OVG_SETTER_CMD(AxisCmdSetTitleText, Axis, GlyphText, reach::Title, GlyphTextSchema, "Text", QString);
OVG_SETTER_CMD(AxisCmdSetTitleFontName, Axis, GdiDrawStr, reach::TitleFont, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(AxisCmdSetTitleFontStyle, Axis, GdiDrawStr, reach::TitleFont, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(AxisCmdSetTitleFontSize, Axis, GdiDrawStr, reach::TitleFont, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(AxisCmdSetTitleFontColor, Axis, GdiDrawStr, reach::TitleFont, GdiDrawStrSchema, "text_color", uint32_t);
OVG_SETTER_CMD(AxisCmdSetUnitVisible, Axis, Glyph, reach::UnitGlyph, GlyphSchema, "visible", bool);
OVG_SETTER_CMD(AxisCmdSetUnitText, Axis, GlyphText, reach::Unit, GlyphTextSchema, "Text", QString);
OVG_SETTER_CMD(AxisCmdSetUnitFontName, Axis, GdiDrawStr, reach::UnitFont, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(AxisCmdSetUnitFontStyle, Axis, GdiDrawStr, reach::UnitFont, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(AxisCmdSetUnitFontSize, Axis, GdiDrawStr, reach::UnitFont, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(AxisCmdSetUnitFontColor, Axis, GdiDrawStr, reach::UnitFont, GdiDrawStrSchema, "text_color", uint32_t);
OVG_SETTER_CMD(AxisCmdSetLabelFontName, Axis, GdiDrawStr, reach::LabelFont, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(AxisCmdSetLabelFontStyle, Axis, GdiDrawStr, reach::LabelFont, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(AxisCmdSetLabelFontSize, Axis, GdiDrawStr, reach::LabelFont, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(AxisCmdSetLabelFontColor, Axis, GdiDrawStr, reach::LabelFont, GdiDrawStrSchema, "text_color", uint32_t);
OVG_SETTER_CMD(ScrollBarCmdSetViewMode, Axis, Axis, reach::Self, AxisScrollBarSchema, "type", int32_t);

OVG_SETTER_CMD(GraphTitleCmdSetText, GraphTitle, GlyphText, reach::TitleTextOf, GlyphTextSchema, "Text", QString);
OVG_SETTER_CMD(GraphTitleCmdSetTextAlignment, GraphTitle, GlyphText, reach::TitleTextOf, GlyphTextSchema, "Alignment", uint8_t);

OVG_SETTER_CMD(GraphLegendCmdSetPosition, GraphLegend, GraphLegend, reach::Self, GraphLegendSchema, "position", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetMaxCh, GraphLegend, GraphLegend, reach::Self, GraphLegendSchema, "MaxCh", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetRow, GraphLegend, GraphLegend, reach::Self, GraphLegendSchema, "Row", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetColumn, GraphLegend, GraphLegend, reach::Self, GraphLegendSchema, "Column", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetLabelType, GraphLegend, GraphLegend, reach::Self, GraphLegendSchema, "LabelType", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetFrameColor, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "frame_color", uint32_t);
OVG_SETTER_CMD(GraphLegendCmdSetFrameRound, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "frame_round", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetBackGradation, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "back_gradation", bool);
OVG_SETTER_CMD(GraphLegendCmdSetBackAngle, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "back_angle", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetBackColor1, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "back_color1", uint32_t);
OVG_SETTER_CMD(GraphLegendCmdSetBackColor2, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "back_color2", uint32_t);
OVG_SETTER_CMD(GraphLegendCmdSetShadowDepth, GraphLegend, GdiDrawRect, reach::LegendRect, GdiDrawRectSchema, "shadow_depth", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetFontName, GraphLegend, GdiDrawStr, reach::LegendFont, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(GraphLegendCmdSetFontStyle, GraphLegend, GdiDrawStr, reach::LegendFont, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetFontSize, GraphLegend, GdiDrawStr, reach::LegendFont, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(GraphLegendCmdSetFontColor, GraphLegend, GdiDrawStr, reach::LegendFont, GdiDrawStrSchema, "text_color", uint32_t);

OVG_SETTER_CMD(GdiDrawRectCmdSetFrameColor, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "frame_color", uint32_t);
OVG_SETTER_CMD(GdiDrawRectCmdSetFrameRound, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "frame_round", int32_t);
OVG_SETTER_CMD(GdiDrawRectCmdSetBackGradation, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "back_gradation", bool);
OVG_SETTER_CMD(GdiDrawRectCmdSetBackAngle, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "back_angle", int32_t);
OVG_SETTER_CMD(GdiDrawRectCmdSetBackColor1, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "back_color1", uint32_t);
OVG_SETTER_CMD(GdiDrawRectCmdSetBackColor2, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "back_color2", uint32_t);
OVG_SETTER_CMD(GdiDrawRectCmdSetShadowDepth, GdiDrawRect, GdiDrawRect, reach::Self, GdiDrawRectSchema, "shadow_depth", int32_t);
OVG_SETTER_CMD(GdiDrawStrCmdSetFontName, GdiDrawStr, GdiDrawStr, reach::Self, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(GdiDrawStrCmdSetFontStyle, GdiDrawStr, GdiDrawStr, reach::Self, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(GdiDrawStrCmdSetFontSize, GdiDrawStr, GdiDrawStr, reach::Self, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(GdiDrawStrCmdSetFontColor, GdiDrawStr, GdiDrawStr, reach::Self, GdiDrawStrSchema, "text_color", uint32_t);

// A frame width below 1 is stored as 0 (no frame).
PropertyValue ClampFrameWidth(const PropertyValue& value);

class GdiDrawRectCmdSetFrameWidth : public OwnedPropertySetCmd<GdiDrawRect, GdiDrawRect> {
public:
    GdiDrawRectCmdSetFrameWidth(std::shared_ptr<GdiDrawRect> target, int32_t width);

protected:
    PropertyValue Adjust(const PropertyValue& value) const override { return ClampFrameWidth(value); }
};

// The legend's frame width also changes the legend's size: its observers hear of it.
class GraphLegendCmdSetFrameWidth : public OwnedPropertySetCmd<GraphLegend, GdiDrawRect> {
public:
    GraphLegendCmdSetFrameWidth(std::shared_ptr<GraphLegend> target, int32_t width);

protected:
    PropertyValue Adjust(const PropertyValue& value) const override { return ClampFrameWidth(value); }
    void AfterSet() override { GetTarget()->Notify(kChanged); }
};

}  // namespace ovgGraph
