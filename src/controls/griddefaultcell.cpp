#include "controls/griddefaultcell.h"

#include "controls/gridcellmodel.h"

CGridDefaultCell::CGridDefaultCell(CGridCellModel *model, unsigned state, const LOGFONT &font, COLORREF text,
                                   COLORREF back)
    : CGridCellBase(model)
    , m_font(model->InternFont(font))
    , m_state(state)
    , m_textClr(text)
    , m_backClr(back)
{
}

void CGridDefaultCell::SetTextClr(COLORREF colour)
{
    if (colour != CLR_DEFAULT)
        m_textClr = colour;
}

void CGridDefaultCell::SetBackClr(COLORREF colour)
{
    if (colour != CLR_DEFAULT)
        m_backClr = colour;
}

void CGridDefaultCell::SetFont(const LOGFONT *font)
{
    if (font)
        m_font = m_model->InternFont(*font);
}
