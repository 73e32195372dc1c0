#include "Cmd/McrLoadFiles.h"

#include <QCoreApplication>

#include <algorithm>

#include "App/AppDocument.h"
#include "Cmd/CmdAppAddCh.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrViewTemperatureUnit.h"
#include "graph/Graph.h"
#include "graph/commands/GraphCmdSetState.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgApp {

McrLoadFiles::McrLoadFiles(AppContext context, std::vector<std::vector<std::shared_ptr<AppCh>>> files,
                           std::shared_ptr<const ovgGraph::GraphMemento> graphState, QString memo,
                           int32_t savedTemperatureUnit, size_t stateFile)
    : Mcr(u"McrLoadFiles"),
      m_context(context),
      m_files(std::move(files)),
      m_graphState(std::move(graphState)),
      m_memo(std::move(memo)),
      m_savedTemperatureUnit(savedTemperatureUnit),
      m_stateFile(stateFile)
{
}

std::shared_ptr<McrLoadFiles> McrLoadFiles::FromLoad(AppContext context, const FileLoader::Prm& prm,
                                                     QString* warning)
{
    std::shared_ptr<const ovgGraph::GraphMemento> state;
    if (prm.graphState) {
        try {
            state = ovgGraph::ReadGraphState(*prm.graphState);
        } catch (const std::exception& error) {
            if (warning)
                *warning =
                    QCoreApplication::translate("McrLoadFiles", "グラフの状態を復元できませんでした。(%1)")
                        .arg(QString::fromUtf8(error.what()));
        }
    }
    // The state comes from the first file that loaded.
    size_t first = 0;
    while (first < prm.results.size() && !prm.results[first].Ok()) ++first;
    return std::make_shared<McrLoadFiles>(context, prm.ChannelsByFile(), std::move(state), prm.memo,
                                          prm.savedTemperatureUnit, first);
}

void McrLoadFiles::Prepare()
{
    FileSelection selection = SelectFilesThatFit(m_context.graph.GetAxes(), m_files);
    m_taken = std::move(selection.taken);
    m_leftOut = std::move(selection.leftOut);
    std::vector<std::shared_ptr<AppCh>> channels;
    for (const size_t i : m_taken) channels.insert(channels.end(), m_files[i].begin(), m_files[i].end());
    if (std::find(m_taken.begin(), m_taken.end(), m_stateFile) == m_taken.end()) {
        m_graphState = nullptr;
        m_memo.clear();
    }
    // The graph as it was before the load: the state step's undo runs after the channels' undo
    // (steps are undone first to last), so it must give back the graph without them.
    const auto before = m_graphState ? ovgGraph::CreateMemento(m_context.graph) : nullptr;
    if (!channels.empty()) {
        m_add = std::make_shared<CmdAppAddCh>(m_context, std::move(channels));
        AddChild(m_add);
    }
    if (m_graphState) {
        const int32_t savedType = m_savedTemperatureUnit == 1 ? 13 : m_savedTemperatureUnit == 2 ? 14 : 0;
        const AppDocument* document = &m_context.document;
        auto state = std::make_shared<ovgGraph::GraphCmdSetState>(
            u"McrLoadFiles_GraphState", ovgGraph::Unowned(m_context.graph),
            [memento = m_graphState, savedType, document](ovgGraph::Graph& graph) {
                ovgGraph::SetMemento(graph, *memento);
                if (savedType != 0)
                    ConvertTemperatureAxes(graph, savedType, document->GetTemperatureDisplayType());
            });
        state->SetBefore(before);
        AddChild(state);
    }
    if (!m_memo.isEmpty()) {
        AppDocument* document = &m_context.document;
        AddChild(std::make_shared<CmdAppSetValue<QString>>(
            u"McrLoadFiles_Memo", [document] { return document->GetMemo(); },
            [document](const QString& memo) { document->SetMemo(memo); }, m_memo));
    }
}

void McrLoadFiles::Finish()
{
    Mcr::Finish();
    // The selection follows the arrangement's own rule, so this only guards against the two
    // drifting apart: an addition that failed added nothing, so every taken file is left out.
    if (!m_add || m_add->GetResult().Ok()) return;
    for (const size_t i : m_taken)
        if (!m_files[i].empty()) m_leftOut.push_back({i, m_add->GetResult()});
    std::sort(m_leftOut.begin(), m_leftOut.end(),
              [](const LeftOutFile& a, const LeftOutFile& b) { return a.fileIndex < b.fileIndex; });
}

}  // namespace ovgApp
