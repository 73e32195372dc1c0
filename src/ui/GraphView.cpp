#include "ui/GraphView.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

#include "graph/Graph.h"

namespace ovgUi {

GraphView::GraphView(ovgGraph::Graph& graph, QWidget* parent) : QWidget(parent), m_graph(graph)
{
    setAcceptDrops(true);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_graph.Initialize(this);
}

void GraphView::RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute)
{
    if (m_recorder && !cmds.empty()) m_recorder(std::move(cmds), execute);
}

void GraphView::SetCursorCode(int32_t code)
{
    // Codes of the interaction states: 0 arrow, 1 cross, 2 horizontal resize, 3 vertical resize,
    // 4 move, 5 pointing hand.
    static const Qt::CursorShape kShapes[] = {Qt::ArrowCursor, Qt::CrossCursor, Qt::SizeHorCursor,
                                              Qt::SizeVerCursor, Qt::SizeAllCursor, Qt::PointingHandCursor};
    setCursor(code >= 0 && code < 6 ? kShapes[code] : Qt::ArrowCursor);
}

void GraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_graph.GetArea().Width() != width() || m_graph.GetArea().Height() != height())
        m_graph.SetArea(0, 0, width(), height());
    m_graph.Draw(painter);
}

void GraphView::resizeEvent(QResizeEvent* event)
{
    m_graph.SetArea(0, 0, width(), height());
    QWidget::resizeEvent(event);
}

void GraphView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void GraphView::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile().left(520);
    if (!paths.isEmpty()) emit filesDropped(paths);
    event->acceptProposedAction();
}

}  // namespace ovgUi
