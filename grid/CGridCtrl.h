#pragma once

#include "grid/CCellRange.h"
#include "grid/CGridCell.h"
#include "grid/CGridDefaultCell.h"
#include "grid/GridAxis.h"
#include "grid/GridDefs.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QTimer>

#include <array>
#include <cstdint>
#include <vector>

class CImageList;

// A read-only, scrolling grid of text-and-image cells with an optional fixed header row,
// whole-row selection, keyboard and mouse navigation and notifications to its dialog.
//
// The grid itself (not its viewport) takes the keyboard focus, so an event filter installed
// on the grid sees every key first. Enter, Escape and keys the grid has no use for are
// ignored and reach the parent dialog. Painting goes through Qt's backing store, which is
// already double-buffered.
//
// Row and column arguments outside the grid make an operation fail (false, or empty text
// and -1 from getters) and change nothing. Scroll positions are pixels of the non-fixed area.
//
// Dialogs connect to gridNotify and act on GVN_SELCHANGED, NM_CLICK, NM_DBLCLK and NM_RCLICK
// (rightClicked follows NM_RCLICK with the screen position for a context menu). A fill of
// thousands of rows is cheap: cell setters only mark the grid for one later repaint, and the
// scroll bars are brought up to date once. Place the grid (its geometry) before filling it,
// so that ExpandColumnsToFit measures the right width even while the grid is still hidden.
class CGridCtrl final : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;
    CGridCtrl(const CGridCtrl&) = delete;
    CGridCtrl& operator=(const CGridCtrl&) = delete;

    // --- size of the grid
    int GetRowCount() const { return m_rows.Count(); }
    int GetColumnCount() const { return m_cols.Count(); }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    bool SetRowCount(int nRows);
    bool SetColumnCount(int nCols);
    bool SetFixedRowCount(int nFixedRows);
    bool SetFixedColumnCount(int nFixedCols);
    bool DeleteAllItems();

    // --- cells (pointers stay valid until the row or column count changes)
    bool IsValid(int nRow, int nCol) const;
    bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    CGridCellBase* GetCell(int nRow, int nCol);
    const CGridCellBase* GetCell(int nRow, int nCol) const;
    bool SetItem(const GV_ITEM& item);
    bool GetItem(GV_ITEM& item) const;
    bool SetItemText(int nRow, int nCol, const QString& text);
    QString GetItemText(int nRow, int nCol) const;
    bool SetItemImage(int nRow, int nCol, int nImage);
    int GetItemImage(int nRow, int nCol) const;
    bool SetItemData(int nRow, int nCol, std::uint32_t data);
    std::uint32_t GetItemData(int nRow, int nCol) const;
    bool SetItemState(int nRow, int nCol, unsigned nState);
    unsigned GetItemState(int nRow, int nCol) const;
    bool SetItemFormat(int nRow, int nCol, unsigned nFormat);
    unsigned GetItemFormat(int nRow, int nCol) const;
    bool SetItemBkColour(int nRow, int nCol, const QColor& colour = QColor());
    QColor GetItemBkColour(int nRow, int nCol) const;
    bool SetItemFgColour(int nRow, int nCol, const QColor& colour = QColor());
    QColor GetItemFgColour(int nRow, int nCol) const;
    bool SetItemFont(int nRow, int nCol, const QFont& font);

    // --- sizes
    bool SetRowHeight(int nRow, int nHeight);
    int GetRowHeight(int nRow) const;
    bool SetColumnWidth(int nCol, int nWidth);
    int GetColumnWidth(int nCol) const;
    // Widens (or narrows) the columns so that together they fill the client width.
    void ExpandColumnsToFit(bool bExpandFixed = true);
    // The area the cells are painted in, as it is (or will be once shown) for the current
    // size and scroll bars.
    QSize GetClientSize() const;
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;

    // --- selection and focus
    bool SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          bool bForceRepaint = false, bool bSelectCells = true);
    bool SetSelectedRange(const CCellRange& range, bool bForceRepaint = false,
                          bool bSelectCells = true);
    // Bounding rectangle of the selected cells; (rows, columns, -1, -1) with none.
    CCellRange GetSelectedCellRange() const;
    // Rows holding at least one selected cell, in ascending order.
    std::vector<int> GetSelectedRows() const;
    int GetSelectedCount() const;
    bool IsCellSelected(int nRow, int nCol) const;
    bool IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    void ResetSelectedRange();
    // Selects every non-fixed cell, sending GVN_SELCHANGING before and GVN_SELCHANGED after.
    void SelectAll();
    // Returns the previous focus cell; (-1, -1) removes the focus.
    CCellID SetFocusCell(int nRow, int nCol);
    CCellID SetFocusCell(const CCellID& cell) { return SetFocusCell(cell.row, cell.col); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }

    // --- scrolling and geometry (viewport coordinates)
    int GetScrollPos(Qt::Orientation orientation = Qt::Vertical) const;
    void SetScrollPos(int nPos, Qt::Orientation orientation = Qt::Vertical);
    int GetScrollLimit(Qt::Orientation orientation = Qt::Vertical) const;
    // Scrolls by whole rows (columns): positive down (right), negative up (left).
    void ScrollLines(int nLines, Qt::Orientation orientation = Qt::Vertical);
    void ScrollPages(int nPages, Qt::Orientation orientation = Qt::Vertical);
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    // The first non-fixed row and column shown at the top left.
    CCellID GetTopleftNonFixedCell() const;
    CCellID GetCellFromPt(const QPoint& point) const;
    // The cell's rectangle including its grid-line pixels, in viewport coordinates (it may
    // lie outside the viewport); empty for a cell outside the grid.
    QRect GetCellRect(int nRow, int nCol) const;

    // --- images
    void SetImageList(const CImageList* pImageList);
    const CImageList* GetImageList() const { return m_pImageList; }

    // --- settings
    void SetEditable(bool bEditable) { m_bEditable = bEditable; }
    bool IsEditable() const { return m_bEditable; }
    // Clears the selection and turns selecting by fixed-row click off.
    void SetListMode(bool bEnableListMode);
    bool GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(bool bSingle) { m_bSingleRowSelection = bSingle; }
    bool GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void EnableSelection(bool bEnable);
    bool IsSelectable() const { return m_bEnableSelection; }
    void SetFixedRowSelection(bool bSelect) { m_bFixedRowSelection = bSelect; }
    bool GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetFixedColumnSelection(bool bSelect) { m_bFixedColumnSelection = bSelect; }
    bool GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetRowResize(bool bResize) { m_bAllowRowResize = bResize; }
    bool GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(bool bResize) { m_bAllowColumnResize = bResize; }
    bool GetColumnResize() const { return m_bAllowColumnResize; }
    void EnableTitleTips(bool bEnable) { m_bTitleTips = bEnable; }
    bool GetTitleTips() const { return m_bTitleTips; }
    void SetTrackFocusCell(bool bTrack) { m_bTrackFocusCell = bTrack; }
    bool GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(bool bFrame) { m_bFrameFocus = bFrame; }
    bool GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetGridLines(int nWhichLines) { m_nGridLines = nWhichLines & GVL_BOTH; }
    int GetGridLines() const { return m_nGridLines; }
    // Qt's backing store already double-buffers; kept so callers can state their wish.
    void SetDoubleBuffering(bool bBuffer) { m_bDoubleBuffer = bBuffer; }
    bool GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetAutoScrollInterval(int nMilliseconds);
    int GetAutoScrollInterval() const { return m_autoScroll.interval(); }

    // --- colours (the system colours are the widget's palette)
    void SetGridBkColor(const QColor& colour);
    QColor GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(const QColor& colour);
    QColor GetGridLineColor() const { return m_crGridLineColour; }
    void SetTextColor(const QColor& colour);
    QColor GetTextColor() const { return m_crTextColour; }
    void SetTextBkColor(const QColor& colour);
    QColor GetTextBkColor() const { return m_crTextBkColour; }
    void SetFixedTextColor(const QColor& colour);
    QColor GetFixedTextColor() const { return m_crFixedTextColour; }
    void SetFixedBkColor(const QColor& colour);
    QColor GetFixedBkColor() const { return m_crFixedBkColour; }
    QColor GetHighlightColor() const;
    QColor GetHighlightTextColor() const;

    CGridDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol);
    const CGridDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol) const;

    // --- clipboard
    // The selection as text: a tab between columns, CR LF between rows.
    QString GetSelectionText() const;
    void OnEditCopy();

    // Schedules one repaint of everything; repeated calls before it paints cost nothing.
    void Invalidate();

signals:
    void gridNotify(int code, int row, int column);
    // Follows NM_RCLICK, with the pointer's screen position for a context menu.
    void rightClicked(int row, int column, const QPoint& globalPos);

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    using Row = std::vector<CGridCell>;

    // Changes one cell's look and asks for a redraw; false for a cell outside the grid.
    template <class Edit> bool EditCell(int nRow, int nCol, Edit edit)
    {
        if (!IsValid(nRow, nCol))
            return false;
        edit(CellAt(nRow, nCol));
        Invalidate();
        return true;
    }
    CGridCell& CellAt(int nRow, int nCol) { return m_cells[std::size_t(nRow)][std::size_t(nCol)]; }
    const CGridCell& CellAt(int nRow, int nCol) const
    {
        return m_cells[std::size_t(nRow)][std::size_t(nCol)];
    }
    void InitDefaultCells();
    void UpdateFixedFlags(int nFromRow, int nToRow, int nFromCol, int nToCol);
    QSize ComputeClientSize(bool bAllowHorzBar, bool* pNeedV = nullptr,
                            bool* pNeedH = nullptr) const;
    void UpdateBarExtent();
    void UpdateScrollBars();
    void SyncScrollBars() const;
    void SendNotify(int code, const CCellID& cell);

    // selection helpers
    CCellRange ClampRange(CCellRange range) const;
    CCellRange SelectionRangeTo(const CCellID& cell) const;
    void SelectTo(const CCellID& cell);
    void UnselectRowOrCell(const CCellID& cell);
    void SaveSelection();
    void DropSavedSelection();
    bool IsSavedSelected(int nRow, int nCol) const;
    int FirstRow() const; // first non-fixed row of nonzero height, or -1
    int FirstCol() const;

    // keyboard helpers
    bool MoveByKey(QKeyEvent* e);
    bool HandleTab(bool bBackward);
    void MoveFocusTo(const CCellID& cell, bool bKeepAnchor);
    int NextRow(int nRow, int nStep) const;
    int NextCol(int nCol, int nStep) const;

    // scrolling helpers
    QScrollBar* Bar(Qt::Orientation orientation) const;
    const GridAxis& Axis(Qt::Orientation orientation) const;
    int FixedCount(Qt::Orientation orientation) const;
    int LineStep(int nPos, int nLines, Qt::Orientation orientation) const;
    int EnsureVisiblePos(int nIndex, Qt::Orientation orientation) const;
    void OnScrollAction(int action, Qt::Orientation orientation);
    void OnAutoScroll();
    void DragTo(const QPoint& point);

    // painting helpers
    void PaintBlock(QPainter& painter, const QRect& region, int nRow0, int nRow1, int nCol0,
                    int nCol1, int dy, int dx) const;

    GridAxis m_rows;
    GridAxis m_cols;
    std::vector<Row> m_cells;
    int m_nFixedRows = 0;
    int m_nFixedCols = 0;
    // ordinary, fixed column, fixed row, both
    std::array<CGridDefaultCell, 4> m_defaultCells;

    CCellID m_idCurrentCell;
    CCellID m_selectionStartCell;       // anchor of Shift extensions
    mutable CCellRange m_selectedBound; // holds every selected cell (may be larger)
    std::vector<bool> m_savedSelection; // the selection as Ctrl+click found it
    CCellRange m_savedBound;
    bool m_bCtrlExtending = false;

    const CImageList* m_pImageList = nullptr;

    bool m_bEditable = true;
    bool m_bListMode = false;
    bool m_bSingleRowSelection = false;
    bool m_bEnableSelection = true;
    bool m_bFixedRowSelection = true;
    bool m_bFixedColumnSelection = true;
    bool m_bAllowRowResize = true;
    bool m_bAllowColumnResize = true;
    bool m_bTitleTips = true;
    bool m_bTrackFocusCell = true;
    bool m_bFrameFocus = true;
    bool m_bDoubleBuffer = true;
    int m_nGridLines = GVL_BOTH;

    QColor m_crGridBkColour;
    QColor m_crGridLineColour{192, 192, 192};
    QColor m_crTextColour;
    QColor m_crTextBkColour;
    QColor m_crFixedTextColour;
    QColor m_crFixedBkColour;
    QPalette m_lastPalette; // the system colours the defaults were taken from

    // mouse state
    bool m_bLMouseButtonDown = false;
    bool m_bDragSelecting = false;
    CCellID m_leftClickDownCell;
    CCellID m_lastDragCell;
    QPoint m_lastMousePoint;
    QTimer m_autoScroll;
    int m_nWheelRemainder = 0;
    bool m_bUpdatingScrollBars = false;
    bool m_bBarsDirty = false;
    bool m_bSyncPosted = false;
    bool m_bRepaintPending = false;
    QSize m_barExtent; // width of the vertical bar, height of the horizontal one
};
