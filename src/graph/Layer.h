#pragma once

#include <QImage>

namespace ovgGraph {

// An off-screen drawing surface of the graph's size (ARGB32 premultiplied), honouring the device
// pixel ratio; what is drawn on it is later copied to the screen or an image.
class Layer {
public:
    Layer() = default;
    Layer(int width, int height, qreal devicePixelRatio = 1.0);

    // Resizes when the size differs; the content is then cleared.
    void Resize(int width, int height, qreal devicePixelRatio = 1.0);
    void Clear(QColor colour = Qt::transparent) { m_image.fill(colour); }
    // Takes the other layer's picture into this layer's own pixels: a frame copies layers into
    // each other, and fresh images every frame would cost more in page faults than the copy.
    void CopyFrom(const Layer& other);
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    QImage m_image;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace ovgGraph
