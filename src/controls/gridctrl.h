#pragma once

#include "controls/gridcellmodel.h"
#include "controls/gridprintlayout.h"
#include "controls/printinfo.h"

#include <QAbstractScrollArea>
#include <QFont>

class QPainter;

// A cell position; -1 for none.
struct CCellID {
    int row = -1;
    int col = -1;
    bool IsValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const CCellID &, const CCellID &) = default;
};

// The table window reports are laid out in: it paints the cells of its
// CGridCellModel, keeps fixed rows and columns in place while the rest
// scrolls, sizes itself to its contents and prints itself scaled to the page
// width. In this program it is a read-only page; the switches exist for
// callers that want a plain grid.
class CGridCtrl : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Window style bits as the view passes them.
    static constexpr unsigned WS_CHILD = 0x40000000u;
    static constexpr unsigned WS_VISIBLE = 0x10000000u;
    static constexpr unsigned WS_BORDER = 0x00800000u;
    static constexpr unsigned WS_TABSTOP = 0x00010000u;
    static constexpr const char *kWindowClass = "MFCGridCtrl";

    explicit CGridCtrl(QWidget *parent = nullptr);
    ~CGridCtrl() override;

    // Places the grid over rect of parent as control id (its objectName).
    bool Create(const QRect &rect, QWidget *parent, int id, unsigned style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    int GetDlgCtrlID() const { return m_id; }

    CGridCellModel &Model() { return m_model; }
    const CGridCellModel &Model() const { return m_model; }

    // The model's operations; those that change what shows repaint and
    // refresh the scroll bars.
    int GetRowCount() const { return m_model.GetRowCount(); }
    int GetColumnCount() const { return m_model.GetColumnCount(); }
    int GetFixedRowCount() const { return m_model.GetFixedRowCount(); }
    int GetFixedColumnCount() const { return m_model.GetFixedColumnCount(); }
    bool SetRowCount(int rows);
    bool SetColumnCount(int cols);
    bool SetFixedRowCount(int rows);
    bool SetFixedColumnCount(int cols);
    bool DeleteAllItems();
    // Insert before `row` / `col`, or append for -1; the heading goes into the
    // new row's first cell (column's first cell). The new index, -1 on failure.
    int InsertRow(const QString &heading, int row = -1);
    int InsertColumn(const QString &heading, int col = -1);
    bool DeleteRow(int row);
    bool DeleteColumn(int col);

    CGridCell *GetCell(int row, int col) { return m_model.GetCell(row, col); }
    const CGridCell *GetCell(int row, int col) const { return m_model.GetCell(row, col); }
    CGridDefaultCell *GetDefaultCell(bool fixedRow, bool fixedCol) { return m_model.GetDefaultCell(fixedRow, fixedCol); }
    bool SetItem(const GV_ITEM &item);
    bool GetItem(GV_ITEM &item) const { return m_model.GetItem(item); }
    bool SetItemText(int row, int col, const QString &text);
    QString GetItemText(int row, int col) const { return m_model.GetItemText(row, col); }
    bool SetItemFormat(int row, int col, unsigned format);
    bool SetItemImage(int row, int col, int image);
    bool SetItemFont(int row, int col, const LOGFONT &font);
    bool SetItemFgColour(int row, int col, COLORREF colour);
    bool SetItemBkColour(int row, int col, COLORREF colour);
    bool SetItemState(int row, int col, unsigned state);
    bool SetItemData(int row, int col, std::intptr_t data);

    bool SetGridLines(int lines);
    int GetGridLines() const { return m_model.GetGridLines(); }
    bool AutoSize(int style = GVS_DEFAULT);
    int GetRowHeight(int row) const { return m_model.GetRowHeight(row); }
    bool SetRowHeight(int row, int height);
    int GetColumnWidth(int col) const { return m_model.GetColumnWidth(col); }
    bool SetColumnWidth(int col, int width);
    int GetVirtualWidth() const { return m_model.GetVirtualWidth(); }
    int GetVirtualHeight() const { return m_model.GetVirtualHeight(); }
    int GetFixedRowHeight() const { return m_model.GetFixedRowHeight(); }
    int GetFixedColumnWidth() const { return m_model.GetFixedColumnWidth(); }

    void SetGridBkColor(COLORREF colour);
    COLORREF GetGridBkColor() const { return m_model.GetGridBkColor(); }
    void SetBkPictureId(int id);
    void SetBkPicture(const QImage &picture);
    void SetImageList(const QList<QImage> &images);
    const QList<QImage> &GetImageList() const { return m_model.GetImageList(); }

    // Switches, all on for a new grid; reports turn them off.
    void EnableSelection(bool enable) { m_selection = enable; }
    bool IsSelectable() const { return m_selection; }
    void SetFixedRowSelection(bool enable) { m_fixedRowSelection = enable; }
    bool GetFixedRowSelection() const { return m_fixedRowSelection; }
    void SetFixedColumnSelection(bool enable) { m_fixedColSelection = enable; }
    bool GetFixedColumnSelection() const { return m_fixedColSelection; }
    void SetRowResize(bool enable) { m_rowResize = enable; }
    bool GetRowResize() const { return m_rowResize; }
    void SetColumnResize(bool enable) { m_colResize = enable; }
    bool GetColumnResize() const { return m_colResize; }
    void SetEditable(bool enable) { m_editable = enable; }
    bool IsEditable() const { return m_editable; }

    // While drawing is off, changes collect without repainting.
    void SetRedraw(bool allow);
    bool IsRedrawAllowed() const { return m_redraw; }
    void Refresh();
    void ResetScrollBars();

    // The cell under a point of the window, or none; only the rows and
    // columns at the point are looked at.
    CCellID GetCellFromPt(const QPoint &point) const;
    // A cell's rectangle in the window at the current scroll position.
    QRect GetCellRect(int row, int col) const;
    // Rows moved per wheel notch: the desktop's setting.
    static int WheelScrollLines();

    // Printing, forwarded by the view. Each step does nothing without a
    // painter or print information.
    virtual void OnBeginPrinting(QPainter *painter, CPrintInfo *info);
    virtual void OnPrint(QPainter *painter, CPrintInfo *info);
    virtual void OnEndPrinting(QPainter *painter, CPrintInfo *info);
    const CGridPrintLayout &PrintLayout() const { return m_printLayout; }
    // The pages the grid would print on a device, for a print dialog's page
    // range before printing starts.
    int PrintPageCount(QPaintDevice *device) const;
    // The title printed in the header: the nearest ancestor's window title.
    QString PrintTitle() const;
    static const char *const kPrinterSample;
    // One character of the printer font, from the measured sample.
    static QSize PrinterCharSize(QSize sampleExtent);

signals:
    // Rows, columns or cells changed through the grid's own operations
    // (not through Model()).
    void contentChanged();

protected:
    virtual void PrintHeader(QPainter *painter, CPrintInfo *info);
    virtual void PrintFooter(QPainter *painter, CPrintInfo *info);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

public:
    // The column or row whose right or bottom edge lies under a point of the
    // fixed row or fixed column, when resizing by mouse is on; -1 otherwise.
    int ColumnEdgeAt(const QPoint &point) const;
    int RowEdgeAt(const QPoint &point) const;

private:
    void Changed(bool sizes);
    // The printer font's character size and the paper of a device.
    static QFont PrinterFont();
    CGridPrintLayout LayoutFor(QPaintDevice *device) const;
    // Repaints after a change that took place; passes its result on.
    bool Touched(bool changed, bool sizes);
    int ScrollToRowTop(int row) const;

    CGridCellModel m_model;
    int m_id = 0;
    bool m_selection = true;
    bool m_fixedRowSelection = true;
    bool m_fixedColSelection = true;
    bool m_rowResize = true;
    bool m_colResize = true;
    bool m_editable = true;
    bool m_redraw = true;
    int m_wheelRemainder = 0;
    // The edge being dragged: a column or a row, and where it started.
    int m_dragColumn = -1;
    int m_dragRow = -1;
    int m_dragStart = 0;

    bool m_printing = false;
    QFont m_printerFont;
    CGridPrintLayout m_printLayout;
};
