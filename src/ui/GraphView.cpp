#include "ui/GraphView.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>
#include <QMimeData>
#include <QPainter>

#include "graph/Graph.h"
#include "graph/interaction/StateBase.h"

namespace ovgUi {

GraphView::GraphView(ovgGraph::Graph& graph, QWidget* parent) : QWidget(parent), m_graph(graph)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_graph.Initialize(this);
}

void GraphView::RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute)
{
    if (m_recorder && !cmds.empty()) m_recorder(std::move(cmds), execute);
}

namespace {

ovgGraph::Point PointOf(const QPointF& position) { return {int32_t(position.x()), int32_t(position.y())}; }

uint32_t FlagsOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    return (buttons & Qt::LeftButton ? ovgGraph::kFlagLButton : 0u) | (buttons & Qt::RightButton ? ovgGraph::kFlagRButton : 0u) |
           (modifiers & Qt::ShiftModifier ? ovgGraph::kFlagShift : 0u) | (modifiers & Qt::ControlModifier ? ovgGraph::kFlagControl : 0u);
}

// The keys the states know by their virtual-key codes; others pass as Qt's codes.
uint32_t KeyOf(int key)
{
    switch (key) {
    case Qt::Key_Shift: return ovgGraph::kKeyShift;
    case Qt::Key_Escape: return ovgGraph::kKeyEscape;
    case Qt::Key_Left: return ovgGraph::kKeyLeft;
    case Qt::Key_Right: return ovgGraph::kKeyRight;
    default: return uint32_t(key);
    }
}

// A magnifier with a plus or a minus: the zoom cursors.
QCursor ZoomCursor(bool in)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(QRectF(2, 2, 13, 13));
    painter.drawLine(QPointF(13.5, 13.5), QPointF(21, 21));
    painter.drawLine(QPointF(5.5, 8.5), QPointF(11.5, 8.5));
    if (in) painter.drawLine(QPointF(8.5, 5.5), QPointF(8.5, 11.5));
    return QCursor(pixmap, 8, 8);
}

}  // namespace

void GraphView::SetCursorCode(int32_t code)
{
    switch (code) {
    case 2: setCursor(Qt::WaitCursor); break;
    case 3: setCursor(Qt::CrossCursor); break;
    case 4: setCursor(Qt::UpArrowCursor); break;
    case 5: case 11: case ovgGraph::kCursorMove: setCursor(Qt::SizeAllCursor); break;
    case 7: setCursor(Qt::SizeFDiagCursor); break;
    case 8: setCursor(Qt::SizeBDiagCursor); break;
    case 9: setCursor(Qt::SizeHorCursor); break;
    case 10: setCursor(Qt::SizeVerCursor); break;
    case ovgGraph::kCursorScroll: setCursor(Qt::ClosedHandCursor); break;
    case ovgGraph::kCursorZoomIn: {
        static const QCursor zoomIn = ZoomCursor(true);
        setCursor(zoomIn);
        break;
    }
    case ovgGraph::kCursorZoomOut: {
        static const QCursor zoomOut = ZoomCursor(false);
        setCursor(zoomOut);
        break;
    }
    default: setCursor(Qt::ArrowCursor); break;
    }
}

bool GraphView::IsKeyDown(uint32_t key) const
{
    if (key == ovgGraph::kKeyShift) return QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    return false;
}

void GraphView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) m_graph.OnLButtonDown(PointOf(event->position()));
    if (event->button() == Qt::RightButton) m_graph.OnRButtonDown(PointOf(event->position()));
}

void GraphView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) m_graph.OnLButtonUp(PointOf(event->position()));
    if (event->button() == Qt::RightButton) m_graph.OnRButtonUp(PointOf(event->position()));
}

void GraphView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) m_graph.OnLButtonDblClk(PointOf(event->position()));
    if (event->button() == Qt::RightButton) m_graph.OnRButtonDblClk(PointOf(event->position()));
}

void GraphView::mouseMoveEvent(QMouseEvent* event) { m_graph.OnMouseMove(PointOf(event->position())); }

void GraphView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    m_graph.OnMouseWheel(FlagsOf(event->buttons(), event->modifiers()), delta, PointOf(event->position()));
    event->accept();
}

void GraphView::keyPressEvent(QKeyEvent* event)
{
    m_graph.OnKeyDown(KeyOf(event->key()), event->isAutoRepeat() ? 1 : 0, FlagsOf(Qt::NoButton, event->modifiers()));
    QWidget::keyPressEvent(event);
}

void GraphView::keyReleaseEvent(QKeyEvent* event)
{
    m_graph.OnKeyUp(KeyOf(event->key()), event->isAutoRepeat() ? 1 : 0, FlagsOf(Qt::NoButton, event->modifiers()));
    QWidget::keyReleaseEvent(event);
}

void GraphView::leaveEvent(QEvent* event)
{
    m_graph.OnMouseLeave();
    QWidget::leaveEvent(event);
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
