#pragma once

#include "controls/gridcellbase.h"

#include <limits>

// A stored cell. Format, margin, colours and font may be left to the region
// default, so that changing a default cell changes every cell that has no
// value of its own.
class CGridCell final : public CGridCellBase
{
public:
    static constexpr unsigned kInherit = std::numeric_limits<unsigned>::max();

    explicit CGridCell(CGridCellModel *model, unsigned state = 0)
        : CGridCellBase(model)
        , m_state(state)
    {
    }

    void SetText(const QString &text) override { m_text = text; }
    QString GetText() const override { return m_text; }
    const QString &Text() const { return m_text; }
    void SetImage(int image) override { m_image = image; }
    int GetImage() const override { return m_image; }
    void SetData(std::intptr_t data) override { m_data = data; }
    std::intptr_t GetData() const override { return m_data; }
    void SetState(unsigned state) override { m_state = state; }
    unsigned GetState() const override { return m_state; }
    void SetFormat(unsigned format) override { m_format = format; }
    unsigned GetFormat() const override;
    void SetMargin(unsigned margin) override { m_margin = margin; }
    unsigned GetMargin() const override;
    void SetTextClr(COLORREF colour) override { m_textClr = colour; }
    COLORREF GetTextClr() const override { return m_textClr; }
    void SetBackClr(COLORREF colour) override { m_backClr = colour; }
    COLORREF GetBackClr() const override { return m_backClr; }
    void SetFont(const LOGFONT *font) override;
    const LOGFONT *GetFont() const override;
    const CGridDefaultCell *GetDefaultCell() const override;
    QSize GetCellExtent() const override;

    bool HasOwnFont() const { return m_font != nullptr; }
    bool HasOwnFormat() const { return m_format != kInherit; }
    bool HasOwnMargin() const { return m_margin != kInherit; }
    // The cell's own font when set; the model's interned copy.
    const LOGFONT *OwnFont() const { return m_font; }

    // Back to a fresh cell, keeping only the position bits of the state.
    void Reset();

private:
    friend class CGridCellModel;

    QString m_text;
    std::intptr_t m_data = 0;
    const LOGFONT *m_font = nullptr;
    int m_image = -1;
    unsigned m_state = 0;
    unsigned m_format = kInherit;
    unsigned m_margin = kInherit;
    COLORREF m_textClr = CLR_DEFAULT;
    COLORREF m_backClr = CLR_DEFAULT;
};
