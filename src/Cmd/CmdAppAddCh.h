#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Cmd/AppContext.h"
#include "Cmd/GraphAxesState.h"
#include "Common/Library/Cmd.h"
#include "filelib/Result.h"

namespace ovgApp {

class AppCh;

// Adds application channels, in the given order, to the end of the document's channel list and to
// the graph, and clears the document's fresh flag. A channel already bound to axes of the graph
// keeps them; the others are placed by ArrangeNewChannels (a time axis, a value axis per unit,
// axes fitted). Undo removes the same objects from document and graph, gives the graph back its
// axes and ranges as they were, and puts the fresh flag back; redo adds the very same channel and
// axis objects again, with the ranges of the first execution.
// When the arrangement fails (code 57, too many value axes) nothing changes, the command is not
// valid (never recorded) and GetResult tells why. An empty channel raises SeriousError.
class CmdAppAddCh : public orvel::Cmd {
public:
    CmdAppAddCh(AppContext context, std::vector<std::shared_ptr<AppCh>> channels);

    const std::vector<std::shared_ptr<AppCh>>& GetChannels() const { return m_channels; }
    const OvGraphFileLib::Result& GetResult() const { return m_result; }

protected:
    void Prepare() override;
    void DoExecute() override;
    void Finish() override;
    void DoUndo() override;

private:
    void AddToDocumentAndGraph();

    AppContext m_context;
    std::vector<std::shared_ptr<AppCh>> m_channels;
    bool m_freshBefore = true;
    std::optional<GraphAxesState> m_axesBefore;
    std::optional<GraphAxesState> m_axesAfter;  // set by the first execution, applied by redo
    OvGraphFileLib::Result m_result;
};

}  // namespace ovgApp
