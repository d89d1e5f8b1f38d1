#pragma once

// The text-drawing flags cells carry, with the values reports store:
// 0x10 word break left/top, 0x12 word break right, 0x8825 centred single line
// with an ellipsis.
enum DrawTextFlag : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
};

// Qt alignment and text flags for a flag set. A '&' is always drawn as
// written: cell texts are user data, never menu captions.
int QtTextFlagsFromDrawText(unsigned format);
