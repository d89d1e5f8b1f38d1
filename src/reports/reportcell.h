#pragma once

#include "controls/logfont.h"

#include <QString>

#include <cstdint>
#include <optional>

// One cell a builder-based report hands to the view.
struct ReportCell {
    std::int32_t column = 0;
    std::int32_t row = 0;
    QString text;
    // 1 is right-aligned; every other value left-aligned.
    std::uint8_t alignment = 0;
    // Index into the view's image list; -1 for none.
    std::int32_t image = -1;
    // Absent: the grid's default font.
    std::optional<LOGFONT> font;
};
