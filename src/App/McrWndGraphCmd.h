#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "Common/Library/Mcr.h"

namespace ovgApp {

// The group in which the graph window records the commands that the graph engine built. With
// execute = false the engine has already applied them live: the first execution runs no child and
// only refreshes. With execute = true the first execution runs them. Either way the group must
// be recorded by executing it (CmdHistory::Add with execute = true); undo and redo run the
// children first to last. Valid while any child is valid. Shares ownership of the commands; an
// empty one raises SeriousError. refresh (may be empty) repaints the graph window after each run.
class McrWndGraphCmd : public orvel::Mcr {
public:
    McrWndGraphCmd(const std::vector<std::shared_ptr<orvel::Cmd>>& cmds, bool execute,
                   std::function<void()> refresh = {});

    bool IsValid() const override;

protected:
    void Prepare() override;
    void DoExecute() override;
    void Refresh() override;

private:
    bool m_execute;
    bool m_skip = false;  // set by Prepare when the engine already applied the commands
    std::function<void()> m_refresh;
};

}  // namespace ovgApp
