#include "graph/Graph.h"

#include <QPainter>
#include <algorithm>

#include "graph/Axis.h"
#include "graph/GCh.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFrame.h"
#include "graph/GraphLegend.h"
#include "graph/GraphScaleLine.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/GraphTitle.h"
#include "graph/GraphWindow.h"
#include "graph/ParallelFor.h"
#include "graph/PlotGenerateLineGraph3.h"

namespace ovgGraph {

void GraphChannels::Remove(const GCh* channel)
{
    std::erase_if(m_channels, [channel](const std::shared_ptr<GCh>& c) { return c.get() == channel; });
}

void GraphChannels::Insert(size_t index, std::shared_ptr<GCh> channel)
{
    m_channels.insert(m_channels.begin() + ptrdiff_t(std::min(index, m_channels.size())), std::move(channel));
}

Graph::Graph() : GlyphInt(nullptr), m_axes(std::make_unique<GraphAxes>(this)), m_channels(std::make_unique<GraphChannels>()), m_shapes(std::make_unique<GraphShapes>(*this))
{
    paddingLeft = paddingTop = paddingRight = paddingBottom = 8;
}

Graph::~Graph() = default;

void Graph::Initialize(GraphWindow* window)
{
    m_window = window;
    m_back = std::make_shared<GraphBack>(this);
    m_frame = std::make_shared<GraphFrame>(this);
    m_legend = std::make_shared<GraphLegend>(this);
    m_title = std::make_shared<GraphTitle>(this);
    m_scaleLine = std::make_shared<GraphScaleLine>(this);
    for (int slot = 0; slot < 3; ++slot) SetOverlay(slot, nullptr);
    Notify(kChanged | kRelayout);
    if (m_window) m_window->Repaint();
}

OvGraphFileLib::Result Graph::CheckValueAxisCount(size_t count, int32_t location)
{
    if (count < kValueAxisLimit) return {};
    return {OvGraphFileLib::kTooManyAxes, location, "ovgGraph::Graph"};
}

void Graph::AddChannel(std::shared_ptr<GCh> channel, std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis,
                       const QString& label)
{
    if (channel->GetParent() != this) channel->SetParent(this);
    channel->SetAxes(std::move(timeAxis), std::move(valueAxis));
    channel->GetPlotGenerator().SetReduce(m_reduce);
    m_channels->Add(channel);
    std::vector<std::pair<std::shared_ptr<GCh>, QString>> items;
    std::vector<QString> labels;
    for (const auto& item : m_legend->GetItems()) items.emplace_back(item->GetChannel(), item->GetLabel().GetText());
    items.emplace_back(channel, label);
    m_legend->SetItems(items);
    Notify(kChanged | kRelayout);
}

void Graph::InsertChannel(size_t index, std::shared_ptr<GCh> channel, std::shared_ptr<Axis> timeAxis,
                          std::shared_ptr<Axis> valueAxis, const QString& label)
{
    if (channel->GetParent() != this) channel->SetParent(this);
    channel->SetAxes(std::move(timeAxis), std::move(valueAxis));
    channel->GetPlotGenerator().SetReduce(m_reduce);
    channel->SetStateBits(kRelayout);
    m_channels->Insert(index, channel);
    std::vector<std::pair<std::shared_ptr<GCh>, QString>> items;
    for (const auto& item : m_legend->GetItems()) items.emplace_back(item->GetChannel(), item->GetLabel().GetText());
    items.emplace(items.begin() + ptrdiff_t(std::min(index, items.size())), channel, label);
    m_legend->SetItems(items);
    Notify(kChanged | kRelayout);
}

int Graph::RemoveChannel(const GCh* channel)
{
    const auto& list = m_channels->List();
    const auto found = std::find_if(list.begin(), list.end(), [channel](const auto& c) { return c.get() == channel; });
    if (found == list.end()) return -1;
    const int index = int(found - list.begin());
    // Out of the tree: a change to a removed channel no longer lays this graph out.
    (*found)->SetParent(nullptr);
    m_channels->Remove(channel);
    m_plotBases.erase(channel);
    std::vector<std::pair<std::shared_ptr<GCh>, QString>> items;
    for (const auto& item : m_legend->GetItems())
        if (item->GetChannel().get() != channel) items.emplace_back(item->GetChannel(), item->GetLabel().GetText());
    m_legend->SetItems(items);
    Notify(kChanged | kRelayout);
    return index;
}

void Graph::SetReduce(int32_t reduce)
{
    if (reduce == m_reduce) return;
    m_reduce = reduce;
    for (const auto& channel : m_channels->List()) {
        channel->GetPlotGenerator().SetReduce(reduce);
        channel->SetStateBits(kRelayout);
    }
    m_plotBases.clear();
    Notify(kRelayout);
}

void Graph::SetOverlay(int slot, std::shared_ptr<Glyph> effect)
{
    if (slot < 0 || slot > 2) return;
    if (m_overlays[size_t(slot)]) m_overlays[size_t(slot)]->Detach(this);
    if (!effect) effect = std::make_shared<Effect>(this);
    effect->SetParent(this);
    m_overlays[size_t(slot)] = std::move(effect);
}

void Graph::SetOrigin(Point origin)
{
    GlyphInt::SetOrigin(origin);
    SetStateBits(kRelayout);
}

void Graph::SetArea(const Rect& area)
{
    GlyphInt::SetArea(area);
    SetStateBits(kRelayout);
}

void Graph::SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom) { SetArea(Rect{left, top, right, bottom}); }

void Graph::Update(Subject* subject, uint32_t flags)
{
    if (!(GetState() & kRelayout) && m_back && subject == m_back.get()) flags |= kRelayout;
    Notify(flags);
    if (m_window) m_window->Repaint();
}

void Graph::RefreshScaleLine()
{
    const auto& below = m_axes->List(Axis::kBelow);
    std::shared_ptr<Axis> valueAxis = m_scaleLine->GetValueAxis();
    const bool stillHere = valueAxis && m_axes->IndexOf(valueAxis.get()) != 0;
    if (!stillHere) {
        const auto& left = m_axes->List(Axis::kLeft);
        const auto& right = m_axes->List(Axis::kRight);
        valueAxis = !left.empty() ? left.front() : !right.empty() ? right.front() : nullptr;
    }
    m_scaleLine->SetAxes(below.empty() ? nullptr : below.front(), valueAxis);
}

// One pass of the layout; the axes' lengths follow the plot area, so the caller repeats it until
// the plot area stops moving.
void Graph::LayoutPass(bool force)
{
    for (const auto& axis : m_axes->All()) {
        if (force || (axis->GetState() & (kChanged | kRelayout))) {
            axis->Layout(0);
            axis->ClearStateBits(kChanged);
            axis->SetStateBits(kRedraw);
        }
    }
    for (Glyph* child : {static_cast<Glyph*>(m_legend.get()), static_cast<Glyph*>(m_title.get())}) {
        if (force || (child->GetState() & (kChanged | kRelayout))) {
            child->Layout(0);
            child->ClearStateBits(kChanged);
            child->SetStateBits(kRedraw);
        }
    }

    const Rect area = GetArea();
    Rect work{area.left + paddingLeft, area.top + paddingTop, area.right - paddingRight, area.bottom - paddingBottom};
    const bool legendShown = m_legend->IsVisible() && m_legend->HasShownItems();
    const int32_t legendAt = legendShown ? m_legend->GetPosition() : -1;
    if (m_axes->List(Axis::kRight).empty() && legendAt != 2)
        work.right -= 40;
    else if (m_axes->List(Axis::kLeft).empty() && legendAt != 0)
        work.left += 40;
    if (legendAt != 1) work.top += 8;

    if (m_title->IsVisible() && !m_title->GetText().isEmpty()) {
        const Rect t = m_title->GetArea();
        const int32_t w = t.Width() + m_title->marginLeft + m_title->marginRight;
        const int32_t h = t.Height() + m_title->marginTop + m_title->marginBottom;
        const int32_t position = m_title->GetPosition();
        if (position == 0) {
            m_title->SetOrigin(std::clamp(m_title->GetOriginX(), work.left - t.left, std::max(work.left - t.left, work.right - t.right)),
                               std::clamp(m_title->GetOriginY(), work.top - t.top, std::max(work.top - t.top, work.bottom - t.bottom)));
        } else {
            int32_t x = area.left + m_title->marginLeft;
            if (position == 2 || position == 5) x = area.left + (area.Width() - w) / 2 + m_title->marginLeft;
            if (position == 3 || position == 6) x = area.right - w + m_title->marginLeft;
            const bool top = position <= 3;
            const int32_t y = top ? work.top + m_title->marginTop : work.bottom - h + m_title->marginTop;
            m_title->SetOrigin(x - t.left, y - t.top);
            if (top)
                work.top += h;
            else
                work.bottom -= h;
        }
    }

    // A small window keeps a plot of at least kMinPlotWidth x kMinPlotHeight: value axes fold
    // (are left out) from the outside in, the side holding more width first, and a legend beside
    // or above the plot gets what remains, clipped rather than drawn over the axes.
    m_foldedAxes.clear();
    std::vector<Axis*> leftShown, rightShown;
    for (const auto& axis : m_axes->List(Axis::kLeft)) leftShown.push_back(axis.get());
    for (const auto& axis : m_axes->List(Axis::kRight)) rightShown.push_back(axis.get());
    const auto widthOf = [](const std::vector<Axis*>& axes) {
        int32_t sum = 0;
        for (const Axis* axis : axes) sum += axis->GetArea().Width();
        return sum;
    };
    while (leftShown.size() + rightShown.size() > 1 && widthOf(leftShown) + widthOf(rightShown) > work.Width() - kMinPlotWidth) {
        // Each side keeps its first axis while the other side has more than one.
        const bool leftMany = leftShown.size() > 1, rightMany = rightShown.size() > 1;
        std::vector<Axis*>* side = leftMany != rightMany ? (leftMany ? &leftShown : &rightShown)
                                                          : (widthOf(leftShown) >= widthOf(rightShown) ? &leftShown : &rightShown);
        if (side->empty()) side = side == &leftShown ? &rightShown : &leftShown;
        m_foldedAxes.insert(side->back());
        side->pop_back();
    }
    const int32_t axesWidth = widthOf(leftShown) + widthOf(rightShown);
    int32_t belowHeight = 0;
    for (const auto& axis : m_axes->List(Axis::kBelow)) belowHeight += axis->GetArea().Height();

    m_legendClip = GetArea();
    if (legendShown) {
        const Rect l = m_legend->GetArea();
        const int32_t w = l.Width() + m_legend->marginLeft + m_legend->marginRight;
        const int32_t h = l.Height() + m_legend->marginTop + m_legend->marginBottom;
        const int32_t room = std::clamp(work.Width() - axesWidth - kMinPlotWidth, 0, w);
        const int32_t roomHigh = std::clamp(work.Height() - belowHeight - kMinPlotHeight, 0, h);
        switch (legendAt) {
            case 0:
                m_legend->SetOrigin(work.left + m_legend->marginLeft, work.top + m_legend->marginTop);
                m_legendClip = {work.left, work.top, work.left + room, work.bottom};
                work.left += room;
                break;
            case 1:
                m_legend->SetOrigin(work.left + (work.Width() - w) / 2 + m_legend->marginLeft, work.top + m_legend->marginTop);
                m_legendClip = {work.left, work.top, work.right, work.top + roomHigh};
                work.top += roomHigh;
                break;
            case 2:
                work.right -= room;
                m_legend->SetOrigin(work.right + m_legend->marginLeft, work.top + m_legend->marginTop);
                m_legendClip = {work.right, work.top, work.right + room, work.bottom};
                break;
            case 3:
                m_legend->SetOrigin(work.left + (work.Width() - w) / 2 + m_legend->marginLeft, work.bottom - h + m_legend->marginTop);
                m_legendClip = {work.left, work.bottom - roomHigh, work.right, work.bottom};
                work.bottom -= roomHigh;
                break;
            default:
                m_legend->SetOrigin(std::clamp(m_legend->GetOriginX(), work.left, std::max(work.left, work.right - l.Width())),
                                    std::clamp(m_legend->GetOriginY(), work.top, std::max(work.top, work.bottom - l.Height())));
                break;
        }
    }

    // Each list from its last axis to its first, so the first axis ends up next to the plot.
    int32_t overhang = 0;
    const auto& left = leftShown;
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
        const Rect a = (*it)->GetArea();
        (*it)->SetOriginX(work.left - a.left);
        work.left += a.Width();
        overhang = std::max(overhang, a.Height() - (*it)->GetLength());
    }
    const auto& right = rightShown;
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        const Rect a = (*it)->GetArea();
        (*it)->SetOriginX(work.right - a.right);
        work.right -= a.Width();
        overhang = std::max(overhang, a.Height() - (*it)->GetLength());
    }
    const auto& above = m_axes->List(Axis::kAbove);
    for (auto it = above.rbegin(); it != above.rend(); ++it) {
        const Rect a = (*it)->GetArea();
        (*it)->SetOriginY(work.top - a.top);
        overhang = std::max(overhang, a.Height());
    }
    const auto& below = m_axes->List(Axis::kBelow);
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        const Rect a = (*it)->GetArea();
        (*it)->SetOriginY(work.bottom - a.bottom);
        work.bottom -= a.Height();
    }
    work.top += overhang;

    m_plotArea = Rect{work.left, work.top, std::max(work.left + 1, work.right), std::max(work.top + 1, work.bottom)};
    m_frame->SetArea(m_plotArea);
    m_scaleLine->SetArea(m_plotArea);
    for (const auto& axis : m_axes->All()) {
        if (axis->IsVertical()) {
            axis->SetOriginY(m_plotArea.bottom - 1);
            axis->SetLength(m_plotArea.Height());
        } else {
            axis->SetOriginX(m_plotArea.left);
            axis->SetLength(m_plotArea.Width());
        }
    }
}

void Graph::ReplotChannels(bool force)
{
    struct Job {
        GCh* channel;
        AxisMapping time, value;
    };
    std::vector<Job> due;
    for (const auto& channel : m_channels->List()) {
        channel->SetOrigin(m_plotArea.left, m_plotArea.bottom - 1);
        const Axis* t = channel->GetTimeAxis().get();
        const Axis* v = channel->GetValueAxis().get();
        PlotBasis basis{t, v, {}, {}, channel->GetDataVersion(), channel->IsVisible(), channel->GetDrawer().GetSymbol() == 0,
                        channel->GetPlotGenerator().GetReduce()};
        if (t && v) basis.time = t->GetMapping(), basis.value = v->GetMapping();
        const auto known = m_plotBases.find(channel.get());
        if (force || known == m_plotBases.end() || !(known->second == basis)) {
            channel->SetStateBits(kRelayout);
            m_plotBases[channel.get()] = basis;
            if (t && v)
                due.push_back({channel.get(), t->GetMapping(), v->GetMapping()});
            else
                channel->Layout(0);  // no axes: nothing to plot
        }
    }
    // One task per channel, each with its own copy of its axes' mappings (taken here, on the
    // user-interface thread); a task writes only its channel's plot.
    // A single channel is re-plotted here: handing it to a pool thread only adds the wait.
    if (due.size() == 1)
        due[0].channel->Replot(due[0].time, due[0].value);
    else
        ParallelFor(due.size(), [&due](size_t i) { due[i].channel->Replot(due[i].time, due[i].value); });
    for (const auto& channel : m_channels->List()) {
        if (!(channel->GetState() & kRelayout)) continue;
        channel->ClearStateBits(kChanged | kRelayout);
        channel->SetStateBits(kRedraw);
    }
}

void Graph::Layout(uint8_t force)
{
    if (!m_back) Initialize(nullptr);
    const Rect area = GetArea();
    m_back->SetArea(area);
    RefreshScaleLine();
    // The axes' lengths follow the plot area, which depends on the axes' sizes: settle in a few passes.
    Rect previous{-1, -1, -1, -1};
    for (int pass = 0; pass < 4 && !(previous == m_plotArea); ++pass) {
        previous = m_plotArea;
        LayoutPass(force != 0 || pass > 0);
    }
    ReplotChannels(force != 0);
}

void Graph::PaintChannelLayer(QPainter& painter)
{
    DrawChild(painter, *m_back);
    m_frame->SetPass(1);
    DrawChild(painter, *m_frame);
    DrawChild(painter, *m_scaleLine);
    painter.save();
    painter.setClipRect(QRect(m_plotArea.left, m_plotArea.top, m_plotArea.Width(), m_plotArea.Height()));
    for (const auto& channel : m_channels->List()) DrawChild(painter, *channel);
    painter.restore();
}

void Graph::PaintAxisLayer(QPainter& painter)
{
    for (const auto& axis : m_axes->All())
        if (!IsFolded(axis.get())) DrawChild(painter, *axis);
    m_frame->SetPass(2);
    DrawChild(painter, *m_frame);
    {
        painter.save();  // shapes draw in graph coordinates, where their axes place them
        for (const auto& shape : m_shapes->List())
            if (shape->IsVisible()) shape->Draw(painter);
        painter.restore();
    }
    if (m_legend->HasShownItems()) {
        painter.save();
        painter.setClipRect(QRect(m_legendClip.left, m_legendClip.top, m_legendClip.Width(), m_legendClip.Height()));
        DrawChild(painter, *m_legend);
        painter.restore();
    }
    if (!m_title->GetText().isEmpty()) DrawChild(painter, *m_title);
}

void Graph::PaintOverlayLayer(QPainter& painter)
{
    for (const auto& overlay : m_overlays) {
        overlay->Layout(1);
        overlay->SetStateBits(kRedraw);
        DrawChild(painter, *overlay);
    }
}

void Graph::Draw(QPainter& target)
{
    if (!m_back) Initialize(nullptr);
    if (GetState() & (kChanged | kRelayout)) {
        Layout(0);
        ClearStateBits(kChanged);
        SetStateBits(kRedraw | kRelayout);
    }
    const Rect area = GetArea();
    const QSize before = m_layers[0].Image().size();
    // The layers at the device's own pixel density: a 200 % screen gets twice the pixels, not a
    // picture scaled up.
    const qreal ratio = target.device() ? target.device()->devicePixelRatioF() : 1.0;
    for (Layer& layer : m_layers) layer.Resize(area.Width(), area.Height(), ratio);
    if (m_layers[0].Image().size() != before) SetStateBits(kRelayout | kRedraw);  // new layers are empty
    const auto begin = [&](Layer& layer) {
        auto painter = std::make_unique<QPainter>(&layer.Image());
        painter->translate(-area.left, -area.top);
        return painter;
    };
    if (GetState() & kRelayout) {
        PaintChannelLayer(*begin(m_layers[0]));
        ClearStateBits(kRelayout);
        SetStateBits(kRedraw);
    }
    if (GetState() & kRedraw) {
        m_layers[1].CopyFrom(m_layers[0]);
        PaintAxisLayer(*begin(m_layers[1]));
        ClearStateBits(kRedraw);
    }
    m_layers[2].CopyFrom(m_layers[1]);
    PaintOverlayLayer(*begin(m_layers[2]));
    target.drawImage(QPoint(area.left, area.top), m_layers[2].Image());
}

QImage Graph::Render(int width, int height, qreal devicePixelRatio)
{
    if (!m_back) Initialize(nullptr);
    for (Layer& layer : m_layers) layer.Resize(width, height, devicePixelRatio);
    SetArea(0, 0, width, height);
    QImage image(int(width * devicePixelRatio), int(height * devicePixelRatio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    Draw(painter);
    return image;
}

void Graph::PaintPasses(QPainter& painter)
{
    for (const auto pass : {&Graph::PaintChannelLayer, &Graph::PaintAxisLayer, &Graph::PaintOverlayLayer}) {
        painter.save();
        (this->*pass)(painter);
        painter.restore();
    }
}

void Graph::PaintOnto(QPainter& painter, int width, int height)
{
    if (!m_back) Initialize(nullptr);
    SetArea(0, 0, width, height);
    Layout(0);
    ClearStateBits(kChanged);
    PaintPasses(painter);
    // The layers no longer show the graph as laid out now.
    SetStateBits(kRelayout | kRedraw);
}

QImage Graph::RenderOnce(int width, int height, qreal devicePixelRatio)
{
    if (!m_back) Initialize(nullptr);
    SetArea(0, 0, width, height);
    Layout(0);
    ClearStateBits(kChanged);
    // The layers' passes into one image: the same strokes over the same pixels as painting the
    // layers and copying each into the next, without three images of the graph's size.
    Layer image(width, height, devicePixelRatio);
    {
        QPainter painter(&image.Image());
        PaintPasses(painter);
    }
    // Onto white where the picture is not opaque: white under the picture is white with the
    // picture drawn over it, in place. Every pixel is then opaque and reads as plain RGB.
    QImage picture = std::move(image.Image());
    {
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    }
    picture.reinterpretAsFormat(QImage::Format_RGB32);
    // The layers no longer show the graph as laid out now.
    SetStateBits(kRelayout | kRedraw);
    return picture;
}

}  // namespace ovgGraph
