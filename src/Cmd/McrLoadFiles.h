#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "App/AppGraphArrangement.h"
#include "App/FileLoader.h"
#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"
#include "filelib/Result.h"
#include "graph/state/GraphState.h"

namespace ovgApp {

class AppCh;
class CmdAppAddCh;

// What one file load records: the loaded channels added to document and graph in file order and,
// within a file, in channel order (one CmdAppAddCh step), with axes arranged for the channels that
// have none, and the document's fresh flag cleared. Undo removes the channels, gives the graph
// its axes back as they were and sets the fresh flag again, so a following load into the emptied
// document counts as a load into a new one.
// The value-axis limit acts file by file: files are taken in order while their channels fit, and
// a file whose channels would need a tenth value axis is left out whole (code 57) while the files
// after it are still tried; GetLeftOutFiles names them. Not recorded when no channel is added.
// A graph document opened into a fresh document also gives back its saved graph state (step
// "McrLoadFiles_GraphState": axes, their ranges, the channels' lines and axes, legend, title,
// background) and its memo (step "McrLoadFiles_Memo"); undo gives back the graph and the memo as
// they were before the load.
class McrLoadFiles : public orvel::Mcr {
public:
    using LeftOutFile = FileSelection::LeftOut;

    // One list of channels per file, files in load order; the restored state and memo of a graph
    // document, if any.
    McrLoadFiles(AppContext context, std::vector<std::vector<std::shared_ptr<AppCh>>> files,
                 std::shared_ptr<const ovgGraph::GraphMemento> graphState = nullptr, QString memo = {},
                 int32_t savedTemperatureUnit = 0, size_t stateFile = 0);

    // The command for a finished load: its channels by file, and the state and memo of the graph
    // document that restores them. A saved state this version cannot read (an object it does not
    // know) is left out and described in `warning`.
    static std::shared_ptr<McrLoadFiles> FromLoad(AppContext context, const FileLoader::Prm& prm, QString* warning = nullptr);

    // The files whose channels the first execution did not add, with the reason, in file order;
    // empty before the first execution.
    const std::vector<LeftOutFile>& GetLeftOutFiles() const { return m_leftOut; }

protected:
    void Prepare() override;
    void Finish() override;

private:
    AppContext m_context;
    std::vector<std::vector<std::shared_ptr<AppCh>>> m_files;
    std::vector<size_t> m_taken;
    std::vector<LeftOutFile> m_leftOut;
    std::shared_ptr<CmdAppAddCh> m_add;
    std::shared_ptr<const ovgGraph::GraphMemento> m_graphState;
    QString m_memo;
    // The graph document's temperature unit (1 Celsius, 2 Fahrenheit): when the document shows the
    // other one, the restored temperature axes are converted so the curves stay on them.
    int32_t m_savedTemperatureUnit;
    // The file the state and memo came from: restored only when its channels are added.
    size_t m_stateFile;
};

}  // namespace ovgApp
