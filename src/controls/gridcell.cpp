#include "controls/gridcell.h"

#include "controls/gridcellmodel.h"

unsigned CGridCell::GetFormat() const
{
    return m_format != kInherit ? m_format : GetDefaultCell()->GetFormat();
}

unsigned CGridCell::GetMargin() const
{
    return m_margin != kInherit ? m_margin : GetDefaultCell()->GetMargin();
}

void CGridCell::SetFont(const LOGFONT *font)
{
    m_font = font ? m_model->InternFont(*font) : nullptr;
}

const LOGFONT *CGridCell::GetFont() const
{
    return m_font ? m_font : GetDefaultCell()->GetFont();
}

const CGridDefaultCell *CGridCell::GetDefaultCell() const
{
    return m_model->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CGridCell::Reset()
{
    *this = CGridCell(m_model, m_state & (GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL));
}

QSize CGridCell::GetCellExtent() const
{
    return m_model->CellExtent(*this);
}
