#pragma once

#include <QColor>
#include <cstdint>

namespace ovgGraph {

// Colours are 0x00BBGGRR values in the model; 0xFFFFFFFF means none (no frame, no fill).
inline constexpr uint32_t kNoColour = 0xFFFFFFFFu;

inline QColor ToQColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t FromRgb(int r, int g, int b) { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }

}  // namespace ovgGraph
