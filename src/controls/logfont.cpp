#include "controls/logfont.h"

#include <cstdlib>

LOGFONT MakeLogFont(const QString &face, int height, int weight)
{
    LOGFONT font;
    font.lfFaceName = face;
    font.lfHeight = height;
    font.lfWeight = weight;
    return font;
}

QFont QFontFromLogFont(const LOGFONT &font, int defaultPixels)
{
    QFont result(font.lfFaceName);
    result.setPixelSize(font.lfHeight != 0 ? std::abs(font.lfHeight) : defaultPixels);
    // Weights share one scale (100 to 900); 0 means normal.
    const int weight = font.lfWeight <= 0 ? FW_NORMAL : qBound(100, font.lfWeight, 900);
    result.setWeight(QFont::Weight(weight));
    result.setItalic(font.lfItalic);
    result.setUnderline(font.lfUnderline);
    result.setStrikeOut(font.lfStrikeOut);
    return result;
}

size_t qHash(const LOGFONT &font, size_t seed) noexcept
{
    return qHashMulti(seed, font.lfHeight, font.lfWidth, font.lfWeight, font.lfItalic, font.lfUnderline,
                      font.lfStrikeOut, font.lfFaceName);
}
