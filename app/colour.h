#pragma once
// Colours of the window are written the way its original platform stored them: 0x00BBGGRR,
// red in the low byte, then green, then blue. Every colour goes through this one helper.

#include <QColor>
#include <cstdint>

inline QColor ColorFromBgr(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
