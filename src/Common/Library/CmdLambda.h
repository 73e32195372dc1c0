#pragma once

#include <functional>
#include <string>

#include "Common/Library/Cmd.h"

namespace orvel {

// A command made of two actions: DoExecute calls the do action, DoUndo the undo action. The usual
// form of one step of a group command, whose undo data lives in the closures.
// Both actions are required: an empty one raises SeriousError at construction.
class CmdLambda : public Cmd {
public:
    CmdLambda(std::u16string name, std::function<void()> doAction, std::function<void()> undoAction);

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    std::function<void()> m_do;
    std::function<void()> m_undo;
};

}  // namespace orvel
