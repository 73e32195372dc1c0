#pragma once

#include <string>

#include "Common/Library/Mcr.h"

namespace orvel {

// The record of one run of a user macro. Its children have already run while the macro executed,
// so the group is recorded by executing it once (ExecuteCmd or CmdHistory::Add with execute = true):
// that first execution only refreshes. Redo runs the children first to last; undo runs them last
// to first.
class McrMacro : public Mcr {
public:
    explicit McrMacro(std::u16string name = u"McrMacro");

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    bool m_skip = false;  // set by Prepare: the children already ran
};

}  // namespace orvel
