#include "DocumentLoading.h"

#include <cstdio>

#include "App/AppCh.h"
#include "CliSupport.h"
#include "filelib/GCh.h"

namespace orvel::cli {

bool LoadIntoDocument(const std::vector<std::string>& paths, bool webStorage, ovgApp::AppDocument& document)
{
    bool allLoaded = true;
    for (const std::string& path : paths) {
        const OvGraphFileLib::LoadedChannels loaded = LoadFile(path, webStorage);
        if (!loaded.result.Ok()) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), DescribeFailure(loaded.result).c_str());
            allLoaded = false;
            continue;
        }
        // The document works on editable copies of the file's channels.
        for (const auto& channel : loaded.channels)
            document.AddChannel(std::make_shared<ovgApp::AppCh>(&document, std::make_shared<OvGraphFileLib::GCh>(*channel)));
    }
    if (!document.GetChannels().empty()) document.SetFresh(false);
    return allLoaded;
}

}  // namespace orvel::cli
