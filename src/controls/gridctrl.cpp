#include "controls/gridctrl.h"

#include "base/clock.h"
#include "base/stringids.h"
#include "base/stringtable.h"
#include "controls/gridrenderer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

const char *const CGridCtrl::kPrinterSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

CGridCtrl::CGridCtrl(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setProperty("windowClass", QString::fromLatin1(kWindowClass));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    ResetScrollBars();
}

CGridCtrl::~CGridCtrl() = default;

bool CGridCtrl::Create(const QRect &rect, QWidget *parent, int id, unsigned style)
{
    setParent(parent);
    m_id = id;
    setObjectName(QString::number(id));
    setFrameShape(style & WS_BORDER ? QFrame::StyledPanel : QFrame::NoFrame);
    setFocusPolicy(style & WS_TABSTOP ? Qt::StrongFocus : Qt::NoFocus);
    setGeometry(rect);
    if (style & WS_VISIBLE)
        show();
    ResetScrollBars();
    return true;
}

void CGridCtrl::Changed(bool sizes)
{
    if (sizes)
        ResetScrollBars();
    if (m_redraw)
        viewport()->update();
}

bool CGridCtrl::Touched(bool changed, bool sizes)
{
    if (changed) {
        Changed(sizes);
        emit contentChanged();
    }
    return changed;
}

bool CGridCtrl::SetRowCount(int rows)
{
    return Touched(m_model.SetRowCount(rows), true);
}

bool CGridCtrl::SetColumnCount(int cols)
{
    return Touched(m_model.SetColumnCount(cols), true);
}

bool CGridCtrl::SetFixedRowCount(int rows)
{
    return Touched(m_model.SetFixedRowCount(rows), true);
}

bool CGridCtrl::SetFixedColumnCount(int cols)
{
    return Touched(m_model.SetFixedColumnCount(cols), true);
}

bool CGridCtrl::DeleteAllItems()
{
    m_model.DeleteAllItems();
    Changed(true);
    emit contentChanged();
    return true;
}

int CGridCtrl::InsertRow(const QString &heading, int row)
{
    if (row < 0)
        row = GetRowCount();
    if (!Touched(m_model.InsertRow(row), true))
        return -1;
    m_model.SetItemText(row, 0, heading);
    return row;
}

int CGridCtrl::InsertColumn(const QString &heading, int col)
{
    if (col < 0)
        col = GetColumnCount();
    if (!Touched(m_model.InsertColumn(col), true))
        return -1;
    m_model.SetItemText(0, col, heading);
    return col;
}

bool CGridCtrl::DeleteRow(int row)
{
    return Touched(m_model.DeleteRow(row), true);
}

bool CGridCtrl::DeleteColumn(int col)
{
    return Touched(m_model.DeleteColumn(col), true);
}

bool CGridCtrl::SetItem(const GV_ITEM &item)
{
    return Touched(m_model.SetItem(item), false);
}

bool CGridCtrl::SetItemText(int row, int col, const QString &text)
{
    return Touched(m_model.SetItemText(row, col, text), false);
}

bool CGridCtrl::SetItemFormat(int row, int col, unsigned format)
{
    return Touched(m_model.SetItemFormat(row, col, format), false);
}

bool CGridCtrl::SetItemImage(int row, int col, int image)
{
    return Touched(m_model.SetItemImage(row, col, image), false);
}

bool CGridCtrl::SetItemFont(int row, int col, const LOGFONT &font)
{
    return Touched(m_model.SetItemFont(row, col, font), false);
}

bool CGridCtrl::SetItemFgColour(int row, int col, COLORREF colour)
{
    return Touched(m_model.SetItemFgColour(row, col, colour), false);
}

bool CGridCtrl::SetItemBkColour(int row, int col, COLORREF colour)
{
    return Touched(m_model.SetItemBkColour(row, col, colour), false);
}

bool CGridCtrl::SetItemState(int row, int col, unsigned state)
{
    return Touched(m_model.SetItemState(row, col, state), false);
}

bool CGridCtrl::SetItemData(int row, int col, std::intptr_t data)
{
    return m_model.SetItemData(row, col, data);
}

bool CGridCtrl::SetGridLines(int lines)
{
    return Touched(m_model.SetGridLines(lines), false);
}

bool CGridCtrl::AutoSize(int style)
{
    return Touched(m_model.AutoSize(style), true);
}

bool CGridCtrl::SetRowHeight(int row, int height)
{
    return Touched(m_model.SetRowHeight(row, height), true);
}

bool CGridCtrl::SetColumnWidth(int col, int width)
{
    return Touched(m_model.SetColumnWidth(col, width), true);
}

void CGridCtrl::SetGridBkColor(COLORREF colour)
{
    m_model.SetGridBkColor(colour);
    Changed(false);
}

void CGridCtrl::SetBkPictureId(int id)
{
    m_model.SetBkPictureId(id);
    Changed(false);
}

void CGridCtrl::SetBkPicture(const QImage &picture)
{
    m_model.SetBkPicture(picture);
    Changed(false);
}

void CGridCtrl::SetImageList(const QList<QImage> &images)
{
    m_model.SetImageList(images);
    Changed(false);
}

void CGridCtrl::SetRedraw(bool allow)
{
    m_redraw = allow;
    if (allow)
        Refresh();
}

void CGridCtrl::Refresh()
{
    ResetScrollBars();
    viewport()->update();
}

void CGridCtrl::ResetScrollBars()
{
    const QSize client = viewport()->size();
    const int fixedWidth = m_model.GetFixedColumnWidth();
    const int fixedHeight = m_model.GetFixedRowHeight();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    h->setRange(0, qMax(0, m_model.GetVirtualWidth() - client.width()));
    h->setPageStep(qMax(1, client.width() - fixedWidth));
    h->setSingleStep(qMax(1, m_model.GetDefaultColumnWidth() / 4));
    v->setRange(0, qMax(0, m_model.GetVirtualHeight() - client.height()));
    v->setPageStep(qMax(1, client.height() - fixedHeight));
    v->setSingleStep(qMax(1, m_model.GetDefaultRowHeight()));
}

CCellID CGridCtrl::GetCellFromPt(const QPoint &point) const
{
    const int fixedWidth = m_model.GetFixedColumnWidth();
    const int fixedHeight = m_model.GetFixedRowHeight();
    const int x = point.x() < fixedWidth ? point.x() : point.x() + horizontalScrollBar()->value();
    const int y = point.y() < fixedHeight ? point.y() : point.y() + verticalScrollBar()->value();
    const CCellID cell{m_model.RowAtY(y), m_model.ColumnAtX(x)};
    return cell.IsValid() ? cell : CCellID{};
}

QRect CGridCtrl::GetCellRect(int row, int col) const
{
    if (!m_model.IsValid(row, col))
        return {};
    int x = m_model.GetColumnLeft(col);
    int y = m_model.GetRowTop(row);
    if (col >= m_model.GetFixedColumnCount())
        x -= horizontalScrollBar()->value();
    if (row >= m_model.GetFixedRowCount())
        y -= verticalScrollBar()->value();
    return QRect(x, y, m_model.GetColumnWidth(col), m_model.GetRowHeight(row));
}

int CGridCtrl::WheelScrollLines()
{
    const int lines = QApplication::wheelScrollLines();
    return lines > 0 ? lines : 3;
}

int CGridCtrl::ScrollToRowTop(int row) const
{
    return m_model.GetRowTop(row) - m_model.GetFixedRowHeight();
}

void CGridCtrl::wheelEvent(QWheelEvent *event)
{
    // Whole rows per notch, so the top row is never cut after a wheel turn.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder %= 120;
    if (notches == 0 || m_model.GetRowCount() <= m_model.GetFixedRowCount()) {
        event->accept();
        return;
    }
    QScrollBar *v = verticalScrollBar();
    const int fixedRows = m_model.GetFixedRowCount();
    int top = m_model.RowAtY(m_model.GetFixedRowHeight() + v->value());
    if (top < fixedRows)
        top = fixedRows;
    const int target = qBound(fixedRows, top - notches * WheelScrollLines(), m_model.GetRowCount() - 1);
    v->setValue(ScrollToRowTop(target));
    event->accept();
}

namespace {

// How close to an edge the mouse has to be to grab it.
constexpr int kEdgeSlack = 3;

} // namespace

int CGridCtrl::ColumnEdgeAt(const QPoint &point) const
{
    if (!m_colResize || point.y() < 0 || point.y() >= m_model.GetFixedRowHeight())
        return -1;
    const int fixedWidth = m_model.GetFixedColumnWidth();
    const int x = point.x() < fixedWidth ? point.x() : point.x() + horizontalScrollBar()->value();
    for (const int probe : {x - kEdgeSlack, x + kEdgeSlack}) {
        const int col = m_model.ColumnAtX(probe);
        if (col < 0)
            continue;
        const int right = m_model.GetColumnLeft(col + 1);
        if (qAbs(right - x) <= kEdgeSlack)
            return col;
    }
    return -1;
}

int CGridCtrl::RowEdgeAt(const QPoint &point) const
{
    if (!m_rowResize || point.x() < 0 || point.x() >= m_model.GetFixedColumnWidth())
        return -1;
    const int fixedHeight = m_model.GetFixedRowHeight();
    const int y = point.y() < fixedHeight ? point.y() : point.y() + verticalScrollBar()->value();
    for (const int probe : {y - kEdgeSlack, y + kEdgeSlack}) {
        const int row = m_model.RowAtY(probe);
        if (row < 0)
            continue;
        const int bottom = m_model.GetRowTop(row + 1);
        if (qAbs(bottom - y) <= kEdgeSlack)
            return row;
    }
    return -1;
}

void CGridCtrl::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_dragColumn = ColumnEdgeAt(at);
        m_dragRow = m_dragColumn < 0 ? RowEdgeAt(at) : -1;
        if (m_dragColumn >= 0)
            m_dragStart = at.x() - m_model.GetColumnWidth(m_dragColumn);
        else if (m_dragRow >= 0)
            m_dragStart = at.y() - m_model.GetRowHeight(m_dragRow);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CGridCtrl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_dragColumn >= 0) {
        SetColumnWidth(m_dragColumn, qMax(0, at.x() - m_dragStart));
    } else if (m_dragRow >= 0) {
        SetRowHeight(m_dragRow, qMax(0, at.y() - m_dragStart));
    } else if (ColumnEdgeAt(at) >= 0) {
        viewport()->setCursor(Qt::SplitHCursor);
    } else if (RowEdgeAt(at) >= 0) {
        viewport()->setCursor(Qt::SplitVCursor);
    } else {
        viewport()->unsetCursor();
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragColumn = m_dragRow = -1;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CGridCtrl::scrollContentsBy(int, int)
{
    // Fixed rows and columns stay put, so nothing can be scrolled as a block.
    viewport()->update();
}

void CGridCtrl::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    ResetScrollBars();
}

void CGridCtrl::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    CGridRenderer(m_model).PaintView(painter, viewport()->size(),
                                     QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

QString CGridCtrl::PrintTitle() const
{
    for (const QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (!w->windowTitle().isEmpty())
            return w->windowTitle();
    }
    return {};
}

QSize CGridCtrl::PrinterCharSize(QSize sampleExtent)
{
    // The sample has 53 letters (a second 'A'), yet its width is divided by
    // 52: the printed layout depends on exactly this figure.
    return QSize(sampleExtent.width() / 52, sampleExtent.height());
}

QFont CGridCtrl::PrinterFont()
{
    return QFontFromLogFont(MakeLogFont(QStringLiteral("Arial"), -10, FW_NORMAL));
}

CGridPrintLayout CGridCtrl::LayoutFor(QPaintDevice *device) const
{
    const QFontMetrics metrics(PrinterFont(), device);
    const QSize charSize =
        PrinterCharSize(QSize(metrics.horizontalAdvance(QString::fromLatin1(kPrinterSample)), metrics.height()));
    CGridPrintLayout layout;
    layout.Compute(m_model, charSize, QSize(device->width(), device->height()));
    return layout;
}

int CGridCtrl::PrintPageCount(QPaintDevice *device) const
{
    return device ? LayoutFor(device).PageCount() : 0;
}

void CGridCtrl::OnBeginPrinting(QPainter *painter, CPrintInfo *info)
{
    if (!painter || !info || !painter->device())
        return;
    m_printerFont = PrinterFont();
    painter->setFont(m_printerFont);
    m_printLayout = LayoutFor(painter->device());
    info->SetMaxPage(m_printLayout.PageCount());
    info->m_nCurPage = 1;
    m_printing = true;
}

void CGridCtrl::OnPrint(QPainter *painter, CPrintInfo *info)
{
    if (!painter || !info || !m_printing || !m_printLayout.IsValid())
        return;
    const CGridCellModel &m = m_model;
    const QSize logical = m_printLayout.LogicalPage();
    painter->save();
    painter->setWindow(QRect(QPoint(0, 0), logical));
    painter->setViewport(QRect(QPoint(0, 0), m_printLayout.Paper()));
    info->m_rectDraw = QRect(QPoint(0, 0), logical);
    painter->setFont(m_printerFont);
    PrintHeader(painter, info);

    const CGridRenderer renderer(m);
    const QRect page(QPoint(0, 0), logical);
    renderer.DrawBlock(*painter, 0, m.GetFixedRowCount(), 0, m.GetColumnCount(), m_printLayout.FixedRowsOrigin(),
                       page);
    const auto [first, last] = m_printLayout.PageRows(info->m_nCurPage);
    const QRect clip = m_printLayout.RowsClip();
    painter->save();
    painter->setClipRect(clip);
    renderer.DrawBlock(*painter, first, last, 0, m.GetColumnCount(), m_printLayout.RowsOrigin(), clip);
    painter->restore();

    painter->setFont(m_printerFont);
    PrintFooter(painter, info);
    painter->restore();
}

void CGridCtrl::OnEndPrinting(QPainter *, CPrintInfo *)
{
    m_printing = false;
    m_printerFont = QFont();
}

void CGridCtrl::PrintHeader(QPainter *painter, CPrintInfo *)
{
    QFont bold = m_printerFont;
    bold.setWeight(QFont::Bold);
    painter->setFont(bold);
    painter->setBackgroundMode(Qt::TransparentMode);
    painter->setPen(Qt::black);
    const QRect band = m_printLayout.HeaderRect();
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    const QString program = LoadString(StringId::ProgramName);
    const QFontMetrics metrics(bold, painter->device());
    // On a narrow page the centred title gives way to the program name.
    const int room = band.width() - 2 * (metrics.horizontalAdvance(program) + metrics.averageCharWidth());
    const QString title = metrics.elidedText(PrintTitle(), Qt::ElideRight, qMax(0, room));
    painter->drawText(band, flags | Qt::AlignHCenter, title);
    painter->drawText(band, flags | Qt::AlignRight, program);
    painter->drawLine(band.left(), band.bottom(), band.right(), band.bottom());
}

void CGridCtrl::PrintFooter(QPainter *painter, CPrintInfo *info)
{
    const QRect band = m_printLayout.FooterRect();
    painter->setPen(Qt::black);
    painter->drawLine(band.left(), band.top(), band.right(), band.top());
    QFont bold = m_printerFont;
    bold.setWeight(QFont::Bold);
    painter->setFont(bold);
    painter->setBackgroundMode(Qt::TransparentMode);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    const QString page = QStringLiteral("Page %1 of %2").arg(info->m_nCurPage).arg(info->GetMaxPage());
    painter->drawText(band, flags | Qt::AlignLeft, page);
    const QString stamp = PrintStamp(Now());
    // On a narrow page the time gives way to the page number.
    const QFontMetrics metrics(bold, painter->device());
    const int room = band.width() - metrics.horizontalAdvance(page) - metrics.averageCharWidth();
    painter->drawText(band, flags | Qt::AlignRight,
                      metrics.elidedText(stamp, Qt::ElideRight, qMax(0, room)));
}
