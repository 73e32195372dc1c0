#include "ui/GraphView.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include "graph/Graph.h"
#include "graph/commands/ShapeCmds.h"
#include "graph/interaction/StateBase.h"
#include "graph/shapes/GraphShapes.h"

namespace ovgUi {

GraphView::GraphView(ovgGraph::Graph& graph, QWidget* parent) : QWidget(parent), m_graph(graph)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_stateTimer = new QTimer(this);
    m_stateTimer->setSingleShot(true);
    connect(m_stateTimer, &QTimer::timeout, this, [this] {
        if (const auto tick = std::move(m_tick)) tick();
    });
    m_graph.Initialize(this);
}

void GraphView::StartTimer(int32_t ms, std::function<void()> tick)
{
    m_tick = std::move(tick);
    m_stateTimer->start(ms);
}

void GraphView::StopTimer()
{
    m_stateTimer->stop();
    m_tick = nullptr;
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

void GraphView::EditShapeText(const std::shared_ptr<ovgGraph::ShapeBase>& shape)
{
    EndTextEdit(false);
    auto* ballon = dynamic_cast<ovgGraph::ShapeBallon*>(shape.get());
    auto* box = ballon ? &ballon->GetBox() : dynamic_cast<ovgGraph::ShapeTextBox*>(shape.get());
    if (!box) return;
    const ovgGraph::Rect r = box->BoxPixels();
    m_editedShape = shape;
    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName(QStringLiteral("WndEditText"));
    m_editor->setPlainText(box->GetText().GetText());
    m_editor->setFont(box->GetText().GetDrawStr().GetFont());
    m_editor->setGeometry(r.left, r.top, std::max(r.Width(), 160), std::max(r.Height(), 48));
    m_editor->installEventFilter(this);
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->selectAll();
}

void GraphView::EndTextEdit(bool cancel)
{
    if (!m_editor) return;
    QPlainTextEdit* editor = m_editor;
    m_editor = nullptr;  // focus leaving the editor while it closes must not end it twice
    const auto shape = std::move(m_editedShape);
    const QString text = editor->toPlainText();
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    setFocus(Qt::OtherFocusReason);
    if (cancel || !shape || m_graph.GetShapes().IndexOf(shape.get()) < 0) return;
    std::shared_ptr<orvel::Cmd> cmd;
    if (auto ballon = std::dynamic_pointer_cast<ovgGraph::ShapeBallon>(shape))
        cmd = std::make_shared<ovgGraph::ShapeBallonCmdSetText>(ballon, text);
    else if (auto box = std::dynamic_pointer_cast<ovgGraph::ShapeTextBox>(shape))
        cmd = std::make_shared<ovgGraph::EventEditTextTextBoxCmtSetText>(box, text);
    if (cmd) RecordCmds({cmd}, true);
}

bool GraphView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            EndTextEdit(true);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            EndTextEdit(false);
            return true;
        }
    }
    // Clicking elsewhere ends the edit; the editor's own menu or another window does not.
    if (watched == m_editor && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) EndTextEdit(false);
    }
    return QWidget::eventFilter(watched, event);
}

void GraphView::OpenProperties()
{
    const ovgGraph::Point at = m_graph.GetLastMousePos();
    emit propertiesRequested(QPoint(at.x, at.y));
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
