#pragma once

#include "base/colorref.h"
#include "controls/gvitem.h"
#include "controls/logfont.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class CGridCellModel;
class CGridDefaultCell;
class QPainter;

// What every cell of the grid offers: its attributes, state tests, and the
// drawing and measuring that take the region defaults where the cell has no
// value of its own.
class CGridCellBase
{
public:
    virtual ~CGridCellBase() = default;

    virtual void SetText(const QString &text) = 0;
    virtual QString GetText() const = 0;
    virtual void SetImage(int image) = 0;
    virtual int GetImage() const = 0;
    virtual void SetData(std::intptr_t data) = 0;
    virtual std::intptr_t GetData() const = 0;
    virtual void SetState(unsigned state) = 0;
    virtual unsigned GetState() const = 0;
    // The effective format and margin: the cell's own, else its region's.
    virtual void SetFormat(unsigned format) = 0;
    virtual unsigned GetFormat() const = 0;
    virtual void SetMargin(unsigned margin) = 0;
    virtual unsigned GetMargin() const = 0;
    // Colours as stored: CLR_DEFAULT means the region's colour.
    virtual void SetTextClr(COLORREF colour) = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual void SetBackClr(COLORREF colour) = 0;
    virtual COLORREF GetBackClr() const = 0;
    // nullptr goes back to the region's font. GetFont never returns nullptr.
    virtual void SetFont(const LOGFONT *font) = 0;
    virtual const LOGFONT *GetFont() const = 0;

    // The default cell of this cell's region (itself for a default cell).
    virtual const CGridDefaultCell *GetDefaultCell() const = 0;

    bool IsFocused() const { return GetState() & GVIS_FOCUSED; }
    bool IsSelected() const { return GetState() & GVIS_SELECTED; }
    bool IsDropHighlighted() const { return GetState() & GVIS_DROPHILITED; }
    bool IsReadOnly() const { return GetState() & GVIS_READONLY; }
    bool IsFixed() const { return GetState() & (GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL); }
    bool IsFixedRow() const { return GetState() & GVIS_FIXEDROW; }
    bool IsFixedCol() const { return GetState() & GVIS_FIXEDCOL; }
    bool IsModified() const { return GetState() & GVIS_MODIFIED; }

    COLORREF EffectiveTextClr() const;
    COLORREF EffectiveBackClr() const;

    // Draws background, image and text into rect (row and column are for
    // overriders; the base needs neither).
    virtual bool Draw(QPainter &painter, int row, int col, const QRect &rect, bool eraseBkgnd = true) const;
    virtual bool PrintCell(QPainter &painter, int row, int col, const QRect &rect) const;
    // The part of a cell rectangle that holds the text: inside the margin,
    // right of the image.
    virtual QRect GetTextRect(const QRect &cellRect) const;
    // The size text takes in this cell's font and format, unwrapped.
    virtual QSize GetTextExtent(const QString &text) const;
    // What the cell needs to show everything: text, image and margins.
    virtual QSize GetCellExtent() const;

    CGridCellModel *GetModel() const { return m_model; }

protected:
    explicit CGridCellBase(CGridCellModel *model)
        : m_model(model)
    {
    }
    CGridCellBase(const CGridCellBase &) = default;
    CGridCellBase &operator=(const CGridCellBase &) = default;

    CGridCellModel *m_model;
};
