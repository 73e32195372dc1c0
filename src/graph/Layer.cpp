#include "graph/Layer.h"

#include <cmath>

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

}  // namespace ovgGraph
