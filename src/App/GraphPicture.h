#pragma once

#include <QString>

namespace ovgGraph {
class Graph;
}

namespace ovgApp {

// A picture of the graph in a file: a PNG image, or an SVG or PDF drawing whose lines and texts
// stay lines and texts (a PDF page is the graph's size at 96 dpi).
enum class PictureFormat { kPng, kSvg, kPdf, kUnknown };

// The format of a file name's extension (any case).
PictureFormat PictureFormatOf(const QString& path);

// Lays the graph out at width x height pixels and writes it. The file is written beside its
// target and renamed over it once complete, so a failure leaves an existing file as it was.
bool WriteGraphPicture(ovgGraph::Graph& graph, PictureFormat format, int width, int height, const QString& path);

}  // namespace ovgApp
