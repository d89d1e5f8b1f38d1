#pragma once

#include "controls/gridcellbase.h"

// The attributes a region (normal cells, fixed rows, fixed columns, the fixed
// corner) gives to every cell of it that has no value of its own.
class CGridDefaultCell final : public CGridCellBase
{
public:
    // Left, top, breaking at words; '&' shown as written.
    static constexpr unsigned DT_DEFAULT_FORMAT = 0x10 | 0x800;

    CGridDefaultCell(CGridCellModel *model, unsigned state, const LOGFONT &font, COLORREF text, COLORREF back);

    void SetText(const QString &text) override { m_text = text; }
    QString GetText() const override { return m_text; }
    void SetImage(int image) override { m_image = image; }
    int GetImage() const override { return m_image; }
    void SetData(std::intptr_t data) override { m_data = data; }
    std::intptr_t GetData() const override { return m_data; }
    void SetState(unsigned state) override { m_state = state; }
    unsigned GetState() const override { return m_state; }
    void SetFormat(unsigned format) override { m_format = format; }
    unsigned GetFormat() const override { return m_format; }
    void SetMargin(unsigned margin) override { m_margin = margin; }
    unsigned GetMargin() const override { return m_margin; }
    // CLR_DEFAULT is refused: a default has to be a colour.
    void SetTextClr(COLORREF colour) override;
    COLORREF GetTextClr() const override { return m_textClr; }
    void SetBackClr(COLORREF colour) override;
    COLORREF GetBackClr() const override { return m_backClr; }
    // nullptr is refused: a default has to be a font.
    void SetFont(const LOGFONT *font) override;
    const LOGFONT *GetFont() const override { return m_font; }
    const CGridDefaultCell *GetDefaultCell() const override { return this; }

private:
    QString m_text;
    std::intptr_t m_data = 0;
    const LOGFONT *m_font = nullptr;
    int m_image = -1;
    unsigned m_state = 0;
    unsigned m_format = DT_DEFAULT_FORMAT;
    unsigned m_margin = 3;
    COLORREF m_textClr;
    COLORREF m_backClr;
};
