#include "App/GraphPicture.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "App/AppInfo.h"
#include "graph/Graph.h"

namespace ovgApp {

PictureFormat PictureFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PictureFormat::kPng;
    if (suffix == QLatin1String("svg")) return PictureFormat::kSvg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::kPdf;
    return PictureFormat::kUnknown;
}

bool WriteGraphPicture(ovgGraph::Graph& graph, PictureFormat format, int width, int height, const QString& path)
{
    QSaveFile file(path);
    if (format == PictureFormat::kUnknown || !file.open(QIODevice::WriteOnly)) return false;
    switch (format) {
        case PictureFormat::kPng:
            if (!graph.RenderOnce(width, height).save(&file, "PNG")) return false;
            break;
        case PictureFormat::kSvg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setTitle(AppInfo::Name());
            QPainter painter(&svg);
            graph.PaintOnto(painter, width, height);
            break;
        }
        case PictureFormat::kPdf: {
            constexpr int kDpi = 96;
            QPdfWriter pdf(&file);
            pdf.setResolution(kDpi);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / kDpi, height * 72.0 / kDpi), QPageSize::Point));
            pdf.setTitle(AppInfo::Name());
            pdf.setCreator(AppInfo::Name());
            QPainter painter(&pdf);
            graph.PaintOnto(painter, width, height);
            break;
        }
        case PictureFormat::kUnknown:
            break;
    }
    return file.commit();
}

}  // namespace ovgApp
