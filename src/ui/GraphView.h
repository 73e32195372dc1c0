#pragma once

#include <QStringList>
#include <QWidget>

#include "graph/GraphWindow.h"

namespace ovgGraph {
class Graph;
}

namespace ovgUi {

// The widget that shows the graph: it sizes the graph with itself, paints its composed layers and
// takes dropped files. It is the graph's window (repaint requests, cursor codes).
class GraphView : public QWidget, public ovgGraph::GraphWindow {
    Q_OBJECT
public:
    // The graph is owned by the main window and outlives the view.
    explicit GraphView(ovgGraph::Graph& graph, QWidget* parent = nullptr);

    void Repaint() override { update(); }
    void SetCursorCode(int32_t code) override;
    void ShowContextMenu(int32_t, int32_t) override {}
    void OpenProperties() override {}
    void RecordCmds() override {}

signals:
    // Every dropped file, to be opened together.
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ovgGraph::Graph& m_graph;
};

}  // namespace ovgUi
