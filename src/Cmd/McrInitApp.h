#pragma once

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"

namespace ovgApp {

// The new-document action, also run once at start-up: an empty, fresh document (no channels, an
// empty memo), a graph without channels or axes whose title, legend, background and frame are
// back to the new-graph look in the current theme, and an empty undo history. It cannot be undone:
// it has no step, so it is not valid after its execution and CmdHistory::Add (execute = true)
// drops it; undoing it anyway raises SeriousError.
// The panes (data table, memo pane, property grid) refresh themselves from the document.
class McrInitApp : public orvel::Mcr {
public:
    explicit McrInitApp(AppContext context);

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    AppContext m_context;
};

}  // namespace ovgApp
