#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>

#include "App/AppInfo.h"
#include "CliSupport.h"
#include "DocumentLoading.h"
#include "Options.h"
#include "graph/Graph.h"

namespace orvel::cli {
namespace {


// The picture's format, from the output's extension.
enum class PictureFormat { kPng, kSvg, kPdf, kUnknown };

PictureFormat FormatOf(const std::string& path)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::kPng;
    if (suffix == QLatin1String("svg")) return PictureFormat::kSvg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::kPdf;
    return PictureFormat::kUnknown;
}

// Draws the graph into the device: a PNG image, or an SVG or PDF picture whose lines and texts
// stay lines and texts. Written beside the output and renamed over it once complete.
bool WritePicture(ovgGraph::Graph& graph, PictureFormat format, int width, int height, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    switch (format) {
        case PictureFormat::kPng:
            if (!graph.RenderOnce(width, height).save(&file, "PNG")) return false;
            break;
        case PictureFormat::kSvg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setTitle(ovgApp::AppInfo::Name());
            QPainter painter(&svg);
            graph.PaintOnto(painter, width, height);
            break;
        }
        case PictureFormat::kPdf: {
            // A pixel of the graph is a pixel at 96 dpi on the page, which is the graph's size.
            constexpr int kDpi = 96;
            QPdfWriter pdf(&file);
            pdf.setResolution(kDpi);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / kDpi, height * 72.0 / kDpi), QPageSize::Point));
            pdf.setTitle(ovgApp::AppInfo::Name());
            pdf.setCreator(ovgApp::AppInfo::Name());
            QPainter painter(&pdf);
            graph.PaintOnto(painter, width, height);
            break;
        }
        case PictureFormat::kUnknown:
            return false;
    }
    return file.commit();
}

}  // namespace

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
    const PictureFormat format = FormatOf(output);
    if (format == PictureFormat::kUnknown) return UsageError("render", "-o must name a .png, .svg or .pdf file");

    ProgressLine progress("render", IsLongLoad(*paths));
    GraphSession session(*paths, &progress);
    if (!WritePicture(session.Graph(), format, int(width), int(height), QString::fromStdString(output))) {
        std::fprintf(stderr, "orvelgraph-cli render: cannot write %s\n", output.c_str());
        return 1;
    }
    return session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
