#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

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
    // Hands the commands to the recorder the window set (nothing without one).
    void RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute) override;
    using Recorder = std::function<void(std::vector<std::shared_ptr<orvel::Cmd>>, bool)>;
    void SetRecorder(Recorder recorder) { m_recorder = std::move(recorder); }

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
    Recorder m_recorder;
};

}  // namespace ovgUi
