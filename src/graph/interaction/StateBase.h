#pragma once

#include <cstdint>

#include "graph/Geometry.h"

namespace ovgGraph {

class Graph;

// Key codes and modifier flags the window hands to the states (the keyboard's virtual-key codes).
enum InputKey : uint32_t { kKeyShift = 16, kKeyEscape = 27, kKeyLeft = 37, kKeyRight = 39 };
enum InputFlag : uint32_t { kFlagLButton = 1, kFlagRButton = 2, kFlagShift = 4, kFlagControl = 8 };

// Cursor codes the states set; the window maps them to its cursors.
enum CursorCode : int32_t {
    kCursorArrow = 1,
    kCursorCross = 3,
    kCursorSizeAll = 11,
    kCursorMove = 100,
    kCursorScroll = 104,
    kCursorZoomIn = 105,
    kCursorZoomOut = 106,
};

// One state of a graph's mouse and keyboard handling. The graph forwards the window's input to its
// current state; the state gives feedback through the graph's overlays and the cursor, changes the
// graph live during a gesture and, at its end, hands the graph command that records the change to
// the window (RecordCmds, not to be executed again). Points are client coordinates of the graph.
// States live on the window's thread.
class StateBase {
public:
    explicit StateBase(Graph& graph) : m_graph(graph) {}
    virtual ~StateBase() = default;
    StateBase(const StateBase&) = delete;
    StateBase& operator=(const StateBase&) = delete;

    virtual void Enter(Point) {}
    virtual void OnMouseMove(Point) {}
    virtual void OnMouseWheel(uint32_t, int32_t, Point) {}
    virtual void OnLButtonDown(Point) {}
    virtual void OnLButtonUp(Point) {}
    virtual void OnLButtonDblClk(Point) {}
    virtual void OnRButtonDown(Point) {}
    virtual void OnRButtonUp(Point) {}
    virtual void OnKeyDown(uint32_t, uint32_t, uint32_t) {}
    virtual void OnKeyUp(uint32_t, uint32_t, uint32_t) {}
    virtual void OnMouseLeave() {}
    virtual void OnOutsideClick(Point) {}

    int32_t GetCursorCode() const { return m_cursor; }
    bool IsDragging() const { return m_dragging; }

protected:
    // Stores the code and hands it to the window.
    void SetCursor(int32_t code);

    Graph& m_graph;
    int32_t m_cursor = kCursorArrow;
    bool m_dragging = false;
};

// A state that tracks a left-button drag: the start point, and hooks for its begin, moves and end.
class StateOperationDrag : public StateBase {
public:
    using StateBase::StateBase;

protected:
    virtual void BeginDrag() {}
    virtual void Drag(Point) {}
    virtual void EndDrag() {}

    Point m_start;
};

}  // namespace ovgGraph
