#include "graph/Layer.h"

#include <cmath>
#include <cstring>

namespace ovgGraph {

Layer::Layer(int width, int height, qreal devicePixelRatio) { Resize(width, height, devicePixelRatio); }

void Layer::Resize(int width, int height, qreal devicePixelRatio)
{
    if (width == m_width && height == m_height && m_image.devicePixelRatio() == devicePixelRatio && !m_image.isNull())
        return;
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_image = QImage(int(std::ceil(m_width * devicePixelRatio)), int(std::ceil(m_height * devicePixelRatio)),
                     QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(Qt::transparent);
}

void Layer::CopyFrom(const Layer& other)
{
    const QImage& from = other.m_image;
    if (m_image.size() != from.size() || m_image.format() != from.format() || m_image.bytesPerLine() != from.bytesPerLine()) {
        m_image = from.copy();
    } else {
        std::memcpy(m_image.bits(), from.constBits(), size_t(from.sizeInBytes()));
        m_image.setDevicePixelRatio(from.devicePixelRatio());
    }
    m_width = other.m_width;
    m_height = other.m_height;
}

}  // namespace ovgGraph
