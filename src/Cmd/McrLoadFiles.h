#pragma once

#include <memory>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"
#include "filelib/Result.h"

namespace ovgApp {

class AppCh;
class CmdAppAddCh;

// What one file load records: the loaded channels added to document and graph in file order and,
// within a file, in channel order (one CmdAppAddCh step), with axes arranged for the channels that
// have none, and the document's fresh flag cleared. Undo removes the channels, gives the graph
// its axes back as they were and sets the fresh flag again, so a following load into the emptied
// document counts as a load into a new one. Not recorded when no channel was loaded or when the
// arrangement failed (GetResult, code 57).
// Restoring a graph document's saved graph state (the step "McrLoadFiles_GraphState") joins this
// group together with the graph document reader; until then the group only adds channels.
class McrLoadFiles : public orvel::Mcr {
public:
    // One list of channels per file, files in load order.
    McrLoadFiles(AppContext context, std::vector<std::vector<std::shared_ptr<AppCh>>> files);

    // The arrangement's result; success before the first execution.
    OvGraphFileLib::Result GetResult() const;

protected:
    void Prepare() override;

private:
    AppContext m_context;
    std::vector<std::vector<std::shared_ptr<AppCh>>> m_files;
    std::shared_ptr<CmdAppAddCh> m_add;
};

}  // namespace ovgApp
