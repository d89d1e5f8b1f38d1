#pragma once

#include "base/colorref.h"
#include "controls/logfont.h"

#include <QString>

#include <cstdint>

// Which fields of a GV_ITEM a SetItem or GetItem call reads or writes.
enum GridItemMask : unsigned {
    GVIF_TEXT = 0x1,
    GVIF_IMAGE = 0x2,
    GVIF_PARAM = 0x4,
    GVIF_STATE = 0x8,
    GVIF_BKCLR = 0x10,
    GVIF_FGCLR = 0x20,
    GVIF_FORMAT = 0x40,
    GVIF_FONT = 0x80,
    GVIF_MARGIN = 0x100,
};

// Cell state bits.
enum GridItemState : unsigned {
    GVIS_FOCUSED = 0x1,
    GVIS_SELECTED = 0x2,
    GVIS_DROPHILITED = 0x4,
    GVIS_READONLY = 0x8,
    GVIS_FIXED = 0x10,
    GVIS_FIXEDROW = 0x20,
    GVIS_FIXEDCOL = 0x40,
    GVIS_MODIFIED = 0x80,
};

// One cell's attributes in a single record.
struct GV_ITEM {
    int row = 0;
    int col = 0;
    unsigned mask = 0;
    unsigned nState = 0;
    unsigned nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    std::intptr_t lParam = 0;
    LOGFONT lfFont;
    unsigned nMargin = 0;
    QString strText;
};
