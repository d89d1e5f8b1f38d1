#pragma once

#include <QColor>

#include <cstdint>

// Colours as the rest of the program stores them: 0x00BBGGRR.
using COLORREF = std::uint32_t;

// A cell colour that takes its region's default.
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF MakeColorRef(int red, int green, int blue)
{
    return COLORREF(red & 0xFF) | COLORREF(green & 0xFF) << 8 | COLORREF(blue & 0xFF) << 16;
}

inline QColor QColorFromColorRef(COLORREF colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

inline COLORREF ColorRefFromQColor(const QColor &colour)
{
    return MakeColorRef(colour.red(), colour.green(), colour.blue());
}
