#include "DocumentLoading.h"

#include <QGuiApplication>
#include <cstdio>

#include "App/AppCh.h"
#include "App/AppInfo.h"
#include "App/CmdHistory.h"
#include "App/FileLoader.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrLoadFiles.h"
#include "CliSupport.h"
#include "filelib/GCh.h"
#include "graph/Graph.h"

namespace orvel::cli {
namespace {

// The command line asks nothing: the document keeps its temperature display.
// The load's share done goes to the progress line, if any.
class DocumentCallbacks : public ovgApp::FileLoader::Callbacks {
public:
    DocumentCallbacks(const ovgApp::AppDocument& document, ProgressLine* progress)
        : m_document(document), m_progress(progress)
    {
    }
    bool IsDocumentFresh() override { return m_document.IsFresh(); }
    void OnProgress(int32_t percent) override
    {
        if (m_progress) m_progress->Show("loading", percent, 100);
    }

private:
    const ovgApp::AppDocument& m_document;
    ProgressLine* m_progress;
};

// Web-storage answers have no extension for the loader to dispatch on.
bool LoadWebStorage(const std::vector<std::string>& paths, ovgApp::AppDocument& document)
{
    bool allLoaded = true;
    for (const std::string& path : paths) {
        const OvGraphFileLib::LoadedChannels loaded = LoadFile(path, true);
        if (!loaded.result.Ok()) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), DescribeFailure(loaded.result).c_str());
            allLoaded = false;
            continue;
        }
        for (const auto& channel : loaded.channels)
            document.AddChannel(std::make_shared<ovgApp::AppCh>(&document, std::make_shared<OvGraphFileLib::GCh>(*channel)));
    }
    return allLoaded;
}

}  // namespace

bool LoadIntoGraph(const std::vector<std::string>& paths, ovgApp::AppDocument& document, ovgGraph::Graph& graph,
                   ProgressLine* progress)
{
    ovgApp::FileLoader::Prm prm;
    for (const std::string& path : paths) prm.paths << QString::fromStdString(path);
    prm.document = &document;
    DocumentCallbacks callbacks(document, progress);
    ovgApp::FileLoader::Load(prm, &callbacks);
    ovgApp::CmdHistory history;
    ovgApp::AppContext context{document, graph, history};
    QString warning;
    const auto load = ovgApp::McrLoadFiles::FromLoad(context, prm, &warning);
    history.Add(true, load);
    if (!warning.isEmpty()) std::fprintf(stderr, "%s\n", warning.toStdString().c_str());
    bool allLoaded = true;
    for (size_t i = 0; i < prm.results.size(); ++i) {
        OvGraphFileLib::Result result = prm.results[i];
        for (const auto& out : load->GetLeftOutFiles())
            if (out.fileIndex == i) result = out.result;
        if (result.Ok()) continue;
        std::fprintf(stderr, "%s: %s\n", paths[i].c_str(), DescribeFailure(result).c_str());
        allLoaded = false;
    }
    return allLoaded;
}

GraphSession::GraphSession(const std::vector<std::string>& paths, ProgressLine* progress)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    // The window's names, so the user's settings (date format, macro count) are the same ones.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvel"));
    QCoreApplication::setApplicationName(ovgApp::AppInfo::Name());
    m_document = std::make_unique<ovgApp::AppDocument>();
    m_graph = std::make_unique<ovgGraph::Graph>();
    m_graph->Initialize(nullptr);
    m_allLoaded = LoadIntoGraph(paths, *m_document, *m_graph, progress);
}

// The graph and the document go before the application they draw with.
GraphSession::~GraphSession()
{
    m_graph.reset();
    m_document.reset();
}

bool LoadIntoDocument(const std::vector<std::string>& paths, bool webStorage, ovgApp::AppDocument& document,
                      ProgressLine* progress)
{
    bool allLoaded = true;
    if (webStorage) {
        allLoaded = LoadWebStorage(paths, document);
    } else {
        // The same loader as the window's: data files and graph documents alike.
        ovgApp::FileLoader::Prm prm;
        for (const std::string& path : paths) prm.paths << QString::fromStdString(path);
        prm.document = &document;
        DocumentCallbacks callbacks(document, progress);
        ovgApp::FileLoader::Load(prm, &callbacks);
        for (size_t i = 0; i < prm.results.size(); ++i) {
            if (prm.results[i].Ok()) continue;
            std::fprintf(stderr, "%s: %s\n", paths[i].c_str(), DescribeFailure(prm.results[i]).c_str());
            allLoaded = false;
        }
        for (const auto& channels : prm.ChannelsByFile())
            for (const auto& channel : channels) document.AddChannel(channel);
        if (!prm.memo.isEmpty()) document.SetMemo(prm.memo);
    }
    if (!document.GetChannels().empty()) document.SetFresh(false);
    return allLoaded;
}

}  // namespace orvel::cli
