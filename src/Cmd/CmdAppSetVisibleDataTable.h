#pragma once

#include <memory>

#include "Common/Library/Cmd.h"

namespace ovgApp {

class AppCh;

// Shows a channel in the data table or hides it. Undo gives back the previous flag. Setting the
// flag the channel already has is not valid (not recorded). An empty channel raises SeriousError.
class CmdAppSetVisibleDataTable : public orvel::Cmd {
public:
    CmdAppSetVisibleDataTable(std::shared_ptr<AppCh> channel, bool visible);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<AppCh> m_channel;
    bool m_new;
    bool m_old = false;
};

}  // namespace ovgApp
