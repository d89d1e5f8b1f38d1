#pragma once

#include <QFont>
#include <QHashFunctions>
#include <QString>

// A font description as cells and reports keep it. Reports fill only the
// height, the weight and the face name; the rest stays zero.
struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    QString lfFaceName;

    friend bool operator==(const LOGFONT &, const LOGFONT &) = default;
};

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

LOGFONT MakeLogFont(const QString &face, int height, int weight);

// A height of N is a pixel size of |N|; a height of 0 takes defaultPixels.
QFont QFontFromLogFont(const LOGFONT &font, int defaultPixels = 13);

size_t qHash(const LOGFONT &font, size_t seed = 0) noexcept;
