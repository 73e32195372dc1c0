#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "graph/GraphWindow.h"

class QPlainTextEdit;
class QTimer;

namespace ovgGraph {
class Graph;
class ShapeBase;
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
    // Asks the window for the menu of what lies under the point (graph coordinates).
    void ShowContextMenu(int32_t x, int32_t y) override { emit contextMenuRequested(QPoint(x, y)); }
    bool IsKeyDown(uint32_t key) const override;
    // Asks the window for the properties of what lies under the pointer.
    void OpenProperties() override;
    void StartTimer(int32_t ms, std::function<void()> tick) override;
    void StopTimer() override;
    // Hands the commands to the recorder the window set (nothing without one).
    void RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute) override;
    using Recorder = std::function<void(std::vector<std::shared_ptr<orvel::Cmd>>, bool)>;
    void SetRecorder(Recorder recorder) { m_recorder = std::move(recorder); }
    // The in-place text editor over a text box or callout: Ctrl+Enter or leaving it keeps the
    // text as one undoable step, Escape drops it and records nothing. Enter starts a new line.
    void EditShapeText(const std::shared_ptr<ovgGraph::ShapeBase>& shape) override;
    // The open editor, or null.
    QPlainTextEdit* TextEditor() const { return m_editor; }
    // Closes the editor: keeps the text unless `cancel`.
    void EndTextEdit(bool cancel);

signals:
    // Every dropped file, to be opened together.
    void filesDropped(const QStringList& paths);
    void contextMenuRequested(const QPoint& point);
    void propertiesRequested(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ovgGraph::Graph& m_graph;
    Recorder m_recorder;
    QPointer<QPlainTextEdit> m_editor;
    QTimer* m_stateTimer = nullptr;
    std::function<void()> m_tick;
    std::shared_ptr<ovgGraph::ShapeBase> m_editedShape;
};

}  // namespace ovgUi
