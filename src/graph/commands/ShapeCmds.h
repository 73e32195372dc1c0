#pragma once

#include <memory>

#include <QString>

#include "Common/Library/Mcr.h"
#include "graph/commands/PropertySetCmd.h"
#include "graph/shapes/ShapeBallon.h"
#include "graph/state/GraphState.h"

// The commands that change a graph's shapes: the list's order and membership, and each kind's
// properties. Every list change notifies flag 4.
namespace ovgGraph {

class Graph;

// Appends a new shape on top; undo takes it out again.
class GraphShapesCmdInsert : public orvel::Cmd {
public:
    GraphShapesCmdInsert(std::shared_ptr<Graph> graph, std::shared_ptr<ShapeBase> shape);

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<ShapeBase> m_shape;
};

// The commands that move one shape in the drawing order or take it out: Prepare records the
// shape's index (a shape not in the list is an internal error) and disables a move that would
// change nothing; undo puts the shape back at that index.
class GraphShapesOrderCmd : public orvel::Cmd {
public:
    enum class Move { kDelete, kTop, kBottom, kForward, kBack };
    GraphShapesOrderCmd(const char* className, std::shared_ptr<Graph> graph, std::shared_ptr<ShapeBase> shape, Move move);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::string m_source;
    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<ShapeBase> m_shape;
    Move m_move;
    size_t m_index = 0;
};

#define OVG_SHAPE_ORDER_CMD(Name, Kind)                                                   \
    class Name : public GraphShapesOrderCmd {                                             \
    public:                                                                               \
        Name(std::shared_ptr<Graph> graph, std::shared_ptr<ShapeBase> shape)              \
            : GraphShapesOrderCmd(#Name, std::move(graph), std::move(shape), Move::Kind) \
        {                                                                                 \
        }                                                                                 \
    }
OVG_SHAPE_ORDER_CMD(GraphShapesCmdDelete, kDelete);
OVG_SHAPE_ORDER_CMD(GraphShapesCmdTop, kTop);
OVG_SHAPE_ORDER_CMD(GraphShapesCmdBottom, kBottom);
OVG_SHAPE_ORDER_CMD(GraphShapesCmdForward, kForward);
OVG_SHAPE_ORDER_CMD(GraphShapesCmdBack, kBack);
#undef OVG_SHAPE_ORDER_CMD

// Locks or unlocks a shape (state bit 8); notifies nothing.
class ShapeBaseCmdSetLock : public orvel::Cmd {
public:
    ShapeBaseCmdSetLock(std::shared_ptr<ShapeBase> shape, bool lock);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<ShapeBase> m_shape;
    bool m_lock;
};

// Ties a shape to other axes (null: none). The shape stays where it is drawn: its values are
// taken again through the new axes. Disabled when neither axis changes; undo restores the axes
// and the values.
class ShapeBaseCmdSetAssociationAxis : public orvel::Cmd {
public:
    ShapeBaseCmdSetAssociationAxis(std::shared_ptr<ShapeBase> shape, std::shared_ptr<Axis> x, std::shared_ptr<Axis> y);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<ShapeBase> m_shape;
    std::shared_ptr<Axis> m_x, m_y, m_oldX, m_oldY;
    std::shared_ptr<Memento> m_before;
};

// Sets a text box's size lock; the box keeps its place and size either way. Notifies 4.
class ShapeTextBoxCmdSetSizeLock : public orvel::Cmd {
public:
    ShapeTextBoxCmdSetSizeLock(std::shared_ptr<ShapeTextBox> box, bool lock);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<ShapeTextBox> m_box;
    bool m_lock, m_old = false;
};

// The end of in-place editing of a text box: its new text and its size lock, one step.
class EventEditTextTextBoxCmtSetText : public orvel::Mcr {
public:
    EventEditTextTextBoxCmtSetText(std::shared_ptr<ShapeTextBox> box, const QString& text);
};

namespace reach {
inline GdiDrawLine& LineOf(ShapeLine& s) { return s.GetLine(); }
inline GlyphText& TextOf(ShapeTextBox& s) { return s.GetText(); }
inline GdiDrawStr& FontOf(ShapeTextBox& s) { return s.GetText().GetDrawStr(); }
inline GdiDrawRect& RectOf(ShapeTextBox& s) { return s.GetDrawRect(); }
inline GlyphText& BallonText(ShapeBallon& s) { return s.GetBox().GetText(); }
inline GdiDrawStr& BallonFont(ShapeBallon& s) { return s.GetBox().GetText().GetDrawStr(); }
inline GdiDrawRect& BallonRect(ShapeBallon& s) { return s.GetBox().GetDrawRect(); }
inline GdiDrawLine& BallonLine(ShapeBallon& s) { return s.GetPointer().GetLine(); }
inline ShapeBallon& BallonSelf(ShapeBallon& s) { return s; }
}  // namespace reach

OVG_SETTER_CMD(ShapeLineCmdSetLineColor, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "lopn_color", uint32_t);
OVG_SETTER_CMD(ShapeLineCmdSetLineWidth, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "lopn_width_x", int32_t);
OVG_SETTER_CMD(ShapeLineCmdSetStartPointStyle, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "start_point_style", uint8_t);
OVG_SETTER_CMD(ShapeLineCmdSetStartPointSize, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "start_point_size", uint8_t);
OVG_SETTER_CMD(ShapeLineCmdSetEndPointStyle, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "end_point_style", uint8_t);
OVG_SETTER_CMD(ShapeLineCmdSetEndPointSize, ShapeLine, GdiDrawLine, reach::LineOf, GdiDrawLineSchema, "end_point_size", uint8_t);

OVG_SETTER_CMD(ShapeTextBoxCmdSetText, ShapeTextBox, GlyphText, reach::TextOf, GlyphTextSchema, "Text", QString);
OVG_SETTER_CMD(ShapeTextBoxCmdSetAlignment, ShapeTextBox, GlyphText, reach::TextOf, GlyphTextSchema, "Alignment", uint8_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFrameColor, ShapeTextBox, GdiDrawRect, reach::RectOf, GdiDrawRectSchema, "frame_color", uint32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFrameWidth, ShapeTextBox, GdiDrawRect, reach::RectOf, GdiDrawRectSchema, "frame_width", int32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFrameRound, ShapeTextBox, GdiDrawRect, reach::RectOf, GdiDrawRectSchema, "frame_round", int32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetShadowDepth, ShapeTextBox, GdiDrawRect, reach::RectOf, GdiDrawRectSchema, "shadow_depth", int32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetBack, ShapeTextBox, GdiDrawRect, reach::RectOf, GdiDrawRectSchema, "back_color1", uint32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFontName, ShapeTextBox, GdiDrawStr, reach::FontOf, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFontStyle, ShapeTextBox, GdiDrawStr, reach::FontOf, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFontSize, ShapeTextBox, GdiDrawStr, reach::FontOf, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(ShapeTextBoxCmdSetFontColor, ShapeTextBox, GdiDrawStr, reach::FontOf, GdiDrawStrSchema, "text_color", uint32_t);

OVG_SETTER_CMD(ShapeBallonCmdSetText, ShapeBallon, GlyphText, reach::BallonText, GlyphTextSchema, "Text", QString);
OVG_SETTER_CMD(ShapeBallonCmdSetTextAlignment, ShapeBallon, GlyphText, reach::BallonText, GlyphTextSchema, "Alignment", uint8_t);
OVG_SETTER_CMD(ShapeBallonCmdSetAlignment, ShapeBallon, ShapeBallon, reach::BallonSelf, ShapeBallonSchema, "Alignment", uint8_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFrameColor, ShapeBallon, GdiDrawRect, reach::BallonRect, GdiDrawRectSchema, "frame_color", uint32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFrameWidth, ShapeBallon, GdiDrawRect, reach::BallonRect, GdiDrawRectSchema, "frame_width", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFrameRound, ShapeBallon, GdiDrawRect, reach::BallonRect, GdiDrawRectSchema, "frame_round", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetShadowDepth, ShapeBallon, GdiDrawRect, reach::BallonRect, GdiDrawRectSchema, "shadow_depth", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetBack, ShapeBallon, GdiDrawRect, reach::BallonRect, GdiDrawRectSchema, "back_color1", uint32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFontName, ShapeBallon, GdiDrawStr, reach::BallonFont, GdiDrawStrSchema, "font_name", QString);
OVG_SETTER_CMD(ShapeBallonCmdSetFontStyle, ShapeBallon, GdiDrawStr, reach::BallonFont, GdiDrawStrSchema, "font_style", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFontSize, ShapeBallon, GdiDrawStr, reach::BallonFont, GdiDrawStrSchema, "font_size", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetFontColor, ShapeBallon, GdiDrawStr, reach::BallonFont, GdiDrawStrSchema, "text_color", uint32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetLineColor, ShapeBallon, GdiDrawLine, reach::BallonLine, GdiDrawLineSchema, "lopn_color", uint32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetLineWidth, ShapeBallon, GdiDrawLine, reach::BallonLine, GdiDrawLineSchema, "lopn_width_x", int32_t);
OVG_SETTER_CMD(ShapeBallonCmdSetStartPointStyle, ShapeBallon, GdiDrawLine, reach::BallonLine, GdiDrawLineSchema, "start_point_style", uint8_t);
OVG_SETTER_CMD(ShapeBallonCmdSetStartPointSize, ShapeBallon, GdiDrawLine, reach::BallonLine, GdiDrawLineSchema, "start_point_size", uint8_t);

}  // namespace ovgGraph
