#include "graph/commands/ShapeCmds.h"

#include "Common/Library/SeriousError.h"
#include "graph/commands/PropertySetCmd.h"
#include "graph/Graph.h"
#include "graph/shapes/GraphShapes.h"

namespace ovgGraph {
namespace {

// Where the shape is drawn: its origin, and a line's end or a callout's anchor.
struct Place {
    Point origin, end;
};

Place PlaceOf(const ShapeBase& shape)
{
    if (const auto* line = dynamic_cast<const ShapeLine*>(&shape)) return {line->GetOrigin(), line->GetEndPixel()};
    if (const auto* ballon = dynamic_cast<const ShapeBallon*>(&shape)) return {ballon->GetOrigin(), ballon->GetAnchorPixel()};
    return {shape.GetOrigin(), {}};
}

void PutAt(ShapeBase& shape, const Place& place)
{
    if (auto* line = dynamic_cast<ShapeLine*>(&shape)) {
        line->SetPixels(place.origin, place.end);
        return;
    }
    shape.SetOrigin(place.origin);
    if (auto* ballon = dynamic_cast<ShapeBallon*>(&shape)) ballon->SetAnchorPixel(place.end);
}

}  // namespace

GraphShapesCmdInsert::GraphShapesCmdInsert(std::shared_ptr<Graph> graph, std::shared_ptr<ShapeBase> shape)
    : Cmd(u"GraphShapesCmdInsert"),
      m_graph(Required(std::move(graph), "GraphShapesCmdInsert.cpp", __LINE__)),
      m_shape(Required(std::move(shape), "GraphShapesCmdInsert.cpp", __LINE__))
{
}

void GraphShapesCmdInsert::DoExecute() { m_graph->GetShapes().Append(m_shape); }
void GraphShapesCmdInsert::DoUndo() { m_graph->GetShapes().Remove(m_shape.get()); }

GraphShapesOrderCmd::GraphShapesOrderCmd(const char* className, std::shared_ptr<Graph> graph, std::shared_ptr<ShapeBase> shape, Move move)
    : Cmd(CmdName(className)),
      m_source(std::string(className) + ".cpp"),
      m_graph(Required(std::move(graph), m_source.c_str(), __LINE__)),
      m_shape(Required(std::move(shape), m_source.c_str(), __LINE__)),
      m_move(move)
{
}

void GraphShapesOrderCmd::Prepare()
{
    const int index = m_graph->GetShapes().IndexOf(m_shape.get());
    if (index < 0) throw orvel::SeriousError(m_source.c_str(), 36, "the shape is not in the graph");
    m_index = size_t(index);
    const size_t last = m_graph->GetShapes().List().size() - 1;
    const bool atTop = m_index == last, atBottom = m_index == 0;
    if (((m_move == Move::kTop || m_move == Move::kForward) && atTop) || ((m_move == Move::kBottom || m_move == Move::kBack) && atBottom))
        SetEnabled(false);
}

void GraphShapesOrderCmd::DoExecute()
{
    GraphShapes& shapes = m_graph->GetShapes();
    const size_t last = shapes.List().size() - 1;
    switch (m_move) {
        case Move::kDelete: shapes.Remove(m_shape.get()); break;
        case Move::kTop: shapes.Move(m_index, last); break;
        case Move::kBottom: shapes.Move(m_index, 0); break;
        case Move::kForward: shapes.Move(m_index, m_index + 1); break;
        case Move::kBack: shapes.Move(m_index, m_index - 1); break;
    }
}

void GraphShapesOrderCmd::DoUndo()
{
    GraphShapes& shapes = m_graph->GetShapes();
    if (m_move == Move::kDelete) {
        shapes.Insert(m_shape, m_index);
        return;
    }
    const int now = shapes.IndexOf(m_shape.get());
    if (now >= 0) shapes.Move(size_t(now), m_index);
}

ShapeBaseCmdSetLock::ShapeBaseCmdSetLock(std::shared_ptr<ShapeBase> shape, bool lock)
    : Cmd(u"ShapeBaseCmdSetLock"), m_shape(Required(std::move(shape), "ShapeBaseCmdSetLock.cpp", __LINE__)), m_lock(lock)
{
}

void ShapeBaseCmdSetLock::Prepare()
{
    if (m_shape->IsLocked() == m_lock) SetEnabled(false);
}

void ShapeBaseCmdSetLock::DoExecute()
{
    if (m_lock)
        m_shape->SetStateBits(ShapeBase::kLocked);
    else
        m_shape->ClearStateBits(ShapeBase::kLocked);
}

void ShapeBaseCmdSetLock::DoUndo()
{
    if (m_lock)
        m_shape->ClearStateBits(ShapeBase::kLocked);
    else
        m_shape->SetStateBits(ShapeBase::kLocked);
}

ShapeBaseCmdSetAssociationAxis::ShapeBaseCmdSetAssociationAxis(std::shared_ptr<ShapeBase> shape, std::shared_ptr<Axis> x,
                                                               std::shared_ptr<Axis> y)
    : Cmd(u"ShapeBaseCmdSetAssociationAxis"),
      m_shape(Required(std::move(shape), "ShapeBaseCmdSetAssociationAxis.cpp", __LINE__)),
      m_x(std::move(x)),
      m_y(std::move(y))
{
}

void ShapeBaseCmdSetAssociationAxis::Prepare()
{
    if (m_shape->GetAxisX() == m_x && m_shape->GetAxisY() == m_y) SetEnabled(false);
    m_before = CreateShapeMemento(*m_shape);
    m_oldX = m_shape->GetAxisX();
    m_oldY = m_shape->GetAxisY();
}

void ShapeBaseCmdSetAssociationAxis::DoExecute()
{
    const Place place = PlaceOf(*m_shape);
    m_shape->SetAssociationAxes(m_x, m_y);
    PutAt(*m_shape, place);
}

void ShapeBaseCmdSetAssociationAxis::DoUndo()
{
    // The stored values come back from the memento; the axes by the objects themselves, since an
    // old axis may not be in the graph yet when a group undoes this step before its removal.
    ApplyShapeMemento(*m_shape, *m_before);
    m_shape->SetAssociationAxes(m_oldX, m_oldY);
}

ShapeTextBoxCmdSetSizeLock::ShapeTextBoxCmdSetSizeLock(std::shared_ptr<ShapeTextBox> box, bool lock)
    : Cmd(u"ShapeTextBoxCmdSetSizeLock"), m_box(Required(std::move(box), "ShapeTextBoxCmdSetSizeLock.cpp", __LINE__)), m_lock(lock)
{
}

void ShapeTextBoxCmdSetSizeLock::Prepare()
{
    m_old = m_box->GetSizeLock();
    if (m_old == m_lock) SetEnabled(false);
}

void ShapeTextBoxCmdSetSizeLock::DoExecute()
{
    const Rect box = m_box->GetExtent();
    m_box->SetSizeLock(m_lock);
    m_box->SetExtent(box);
    m_box->Notify(kChanged);
}

void ShapeTextBoxCmdSetSizeLock::DoUndo()
{
    const Rect box = m_box->GetExtent();
    m_box->SetSizeLock(m_old);
    m_box->SetExtent(box);
    m_box->Notify(kChanged);
}

EventEditTextTextBoxCmtSetText::EventEditTextTextBoxCmtSetText(std::shared_ptr<ShapeTextBox> box, const QString& text)
    : Mcr(u"EventEditTextTextBoxCmtSetText")
{
    const bool lock = box ? box->GetSizeLock() : false;
    AddChild(std::make_shared<ShapeTextBoxCmdSetText>(box, text));
    AddChild(std::make_shared<ShapeTextBoxCmdSetSizeLock>(box, lock));
}

}  // namespace ovgGraph
