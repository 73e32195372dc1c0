#include <QFileInfo>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "App/FileCsv.h"
#include "App/GraphDocumentSave.h"
#include "Cmd/AppContext.h"
#include "CliSupport.h"
#include "Options.h"
#include "DocumentLoading.h"
#include "ext/AppMacroCallbacks.h"
#include "ext/AppMacroManager.h"

namespace orvel::cli {

int RunMacro(const Args& args)
{
    std::string kmbOutput, csvOutput;
    const auto operands = ParseOptions("macro", args, {Text("--save-kmb", "OUT.kmb", kmbOutput), Text("--export-csv", "OUT.csv", csvOutput)});
    if (!operands) return 2;
    if (operands->empty()) return UsageError("macro", "give the script to run");
    const std::string& script = operands->front();
    const std::vector<std::string> paths(operands->begin() + 1, operands->end());

    // The files load as they would into a new window; the script then runs on that document.
    GraphSession session(paths);
    session.Document().GetDateInfo().Load();  // the user's date settings, as in the window
    ovgApp::CmdHistory history;
    ovgApp::AppContext context{session.Document(), session.Graph(), history};
    auto callbacks = std::make_shared<ovgApp::AppMacroCallbacks>(context, nullptr);
    const QString scriptPath = QString::fromStdString(script);
    ovgApp::AppMacroManager manager(callbacks, QFileInfo(scriptPath).absolutePath());
    if (const auto error = manager.RunFile(scriptPath)) {
        std::fputs(ovgApp::AppMacroManager::ErrorText(scriptPath, *error).toUtf8().constData(), stderr);
        return 1;  // a failed run writes nothing: last run's outputs stay as they were
    }

    bool written = true;
    if (!kmbOutput.empty()) {
        const OvGraphFileLib::Result saved = ovgApp::SaveGraphDocument(session.Document(), &session.Graph(), kmbOutput, true);
        if (!saved.Ok()) {
            std::fprintf(stderr, "%s: %s\n", kmbOutput.c_str(), DescribeFailure(saved).c_str());
            written = false;
        }
    }
    if (!csvOutput.empty()) {
        ovgApp::FileCsv csv(session.Document().GetChannels(), session.Document().GetDateInfo(), ovgApp::FileCsv::kComma);
        const OvGraphFileLib::Result saved = csv.Save(std::filesystem::path(csvOutput));
        if (!saved.Ok()) {
            std::fprintf(stderr, "%s: %s\n", csvOutput.c_str(), DescribeFailure(saved).c_str());
            written = false;
        }
    }
    return written && session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
