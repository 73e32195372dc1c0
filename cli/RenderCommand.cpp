#include <QString>
#include <cstdio>

#include "App/GraphPicture.h"
#include "CliSupport.h"
#include "DocumentLoading.h"
#include "Options.h"

namespace orvel::cli {

int RunRender(const Args& args)
{
    int64_t width = 1280, height = 720;
    std::string output;
    const auto paths = ParseOptions("render", args,
                                    {Custom("--size", "WxH", "WIDTHxHEIGHT, 50 to 16384 pixels each",
                                            [&](const std::string& value) {
                                                const size_t x = value.find('x');
                                                return x != std::string::npos && ParseInteger(value.substr(0, x), width) &&
                                                       ParseInteger(value.substr(x + 1), height) && width >= 50 &&
                                                       height >= 50 && width <= 16384 && height <= 16384;
                                            }),
                                     Text("-o", "OUT", output)});
    if (!paths) return 2;
    if (output.empty() || paths->empty()) return UsageError("render", "give -o OUT.png|OUT.svg|OUT.pdf and at least one file");
    const QString path = QString::fromStdString(output);
    const ovgApp::PictureFormat format = ovgApp::PictureFormatOf(path);
    if (format == ovgApp::PictureFormat::kUnknown) return UsageError("render", "-o must name a .png, .svg or .pdf file");

    ProgressLine progress("render", IsLongLoad(*paths));
    GraphSession session(*paths, &progress);
    if (!ovgApp::WriteGraphPicture(session.Graph(), format, int(width), int(height), path)) {
        std::fprintf(stderr, "orvelgraph-cli render: cannot write %s\n", output.c_str());
        return 1;
    }
    return session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
