#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orvel {
class Cmd;
}

namespace ovgGraph {

class ShapeBase;

// The window a graph lives in, as the engine sees it. The engine's own NullGraphWindow ignores
// every request, so tests and the command line can own a graph without any widget.
class GraphWindow {
public:
    virtual ~GraphWindow() = default;
    virtual void Repaint() = 0;
    // A cursor shape by the interaction states' code.
    virtual void SetCursorCode(int32_t code) = 0;
    virtual void ShowContextMenu(int32_t x, int32_t y) = 0;
    virtual void OpenProperties() = 0;
    // Commands built by the interaction states, handed to the application's history as one step;
    // `execute` says whether they still have to be executed (false: applied live already).
    virtual void RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute) = 0;
    // Whether a key (virtual-key code, e.g. 16 Shift) is held now.
    virtual bool IsKeyDown(uint32_t) const { return false; }
    // One timer for the states: `tick` runs once after `ms` milliseconds on the window's thread,
    // unless stopped or started again first.
    virtual void StartTimer(int32_t, std::function<void()>) {}
    virtual void StopTimer() {}
    // Opens the in-place editor on a text box or callout.
    virtual void EditShapeText(const std::shared_ptr<ShapeBase>&) {}
};

class NullGraphWindow : public GraphWindow {
public:
    void Repaint() override {}
    void SetCursorCode(int32_t) override {}
    void ShowContextMenu(int32_t, int32_t) override {}
    void OpenProperties() override {}
    void RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>>, bool) override {}
};

}  // namespace ovgGraph
