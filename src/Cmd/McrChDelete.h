#pragma once

#include <memory>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"

namespace ovgApp {

class AppCh;

// The user's deletion of channels (menu, graph window, macro): one CmdAppDeleteCh step. Undo puts
// every channel back at its place. Not recorded when none of the channels is in the document.
class McrChDelete : public orvel::Mcr {
public:
    McrChDelete(AppContext context, std::vector<std::shared_ptr<AppCh>> channels);

protected:
    void Prepare() override;

private:
    AppContext m_context;
    std::vector<std::shared_ptr<AppCh>> m_channels;
};

}  // namespace ovgApp
