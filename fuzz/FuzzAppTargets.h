#pragma once

// The bodies of the fuzz targets for the parsers above the file library: the graph document, the
// graph state XML, the scale expression file and a channel's scale expression text. The fuzzers
// and the corpus replay run them; the graph needs a QGuiApplication (fonts) to exist.
#include <QByteArrayView>
#include <QString>
#include <exception>
#include <sstream>

#include "App/FileKmb.h"
#include "App/PrmFile.h"
#include "App/PrmScaleExpr.h"
#include "FuzzTargets.h"
#include "filelib/XmlElement.h"
#include "filelib/XmlLiteHelperException.h"
#include "graph/Graph.h"
#include "graph/state/GraphState.h"

// What a load does with a graph state tree: read it as a memento (a tree it cannot read raises
// an exception, which the load reports as a warning), apply it to a graph and write it back.
inline void ApplyGraphState(const OvGraphFileLib::XmlElement& tree)
{
    std::shared_ptr<ovgGraph::GraphMemento> memento;
    try {
        memento = ovgGraph::ReadGraphState(tree);
    } catch (const std::exception&) {
        return;
    }
    if (!memento) return;
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    ovgGraph::SetMemento(graph, *memento);
    (void)ovgGraph::WriteXmlDocumentOf(graph);
}

// The graph state section is read as a tree here and applied by fuzz_graph_state, which reaches
// the same code from the XML alone at several times the speed.
inline void FuzzKmb(const uint8_t* data, size_t size)
{
    std::istringstream in(AsBytes(data, size));
    ovgApp::FileKmb file;
    if (!file.Load(in).Ok()) return;
    ExerciseChannels(file.GetChList());
    std::ostringstream out;
    (void)file.Save(out);
}

inline void FuzzGraphState(const uint8_t* data, size_t size)
{
    std::shared_ptr<OvGraphFileLib::XmlElement> tree;
    try {
        tree = OvGraphFileLib::ReadXmlDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const OvGraphFileLib::XmlLiteHelperException&) {
        return;  // not well-formed: the document reader reports it as its own step
    }
    if (tree) ApplyGraphState(*tree);
}

inline void FuzzPrm(const uint8_t* data, size_t size)
{
    ovgApp::PrmFile::ScaleExprList list;
    if (ovgApp::PrmFile::Read(QByteArrayView(data, qsizetype(size)), list) != ovgApp::PrmFile::kOk) return;
    volatile double sink = 0;
    for (const auto& expr : list) sink = sink + expr->Apply(21.5);
    (void)ovgApp::PrmFile::ToXml(list);
}

inline void FuzzScaleExpr(const uint8_t* data, size_t size)
{
    const auto expr = ovgApp::PrmScaleExpr::FromChannelText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!expr) return;
    volatile double sink = expr->Apply(-40.0) + expr->Apply(1e300);
    (void)sink;
    // What a document stores is what it reads back.
    (void)ovgApp::PrmScaleExpr::FromChannelText(expr->ToChannelText());
}
