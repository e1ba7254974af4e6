// The program's list view: the metrics list of the main window and the list
// inside the totals pane. It owns the column layouts, the order in which the
// file metrics columns are shown (kept as the setting "VisibleColumns"),
// sorting by a header click and the grid lines; the rows are written by the
// commands that fill the list through GetListCtrl().
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>

#include <unordered_set>
#include <vector>

#include "run/core/columns.h"

using kestrum::ColumnDef;

// The three column layouts of the list.
enum ListLayout : signed char {
    LayoutFileMetrics = 0,     // one row per analysed file, columns A to N
    LayoutFunctionMetrics = 1, // one row per function of a file
    LayoutTotals = 2,          // one row per summed metric of a run
};

class CListViewEx;

// The rows of a list and the operations the filling commands use on them, in
// the manner of a report-style list control: row r has an item text (display
// position 0), a text per sub-item k (display position k) and a data value.
class CListCtrl : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CListCtrl(CListViewEx* view);

    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    // Deletes every row; the columns stay.
    void DeleteAllItems();
    // Deletes every row whose data value is in `data`; returns how many.
    int DeleteItemsWithData(const std::unordered_set<const void*>& data);
    // Inserts a row at `index` (clamped to the row count) with its item text;
    // returns the row's index.
    int InsertItem(int index, const QString& text, void* data = nullptr);
    // Inserts a whole row at once: cells[0] is the item text, cells[k] the
    // text of sub-item k. Cheaper than InsertItem and one SetItemText per cell
    // when a run writes tens of thousands of rows.
    int InsertRow(int index, std::vector<QString> cells, void* data);

    // A row as the list keeps it.
    struct Row {
        std::vector<QString> cells; // cells[k] is the text at display position k
        void* data = nullptr;       // the row's data value, never owned
    };
    // Appends rows after the last one in one insertion, which the view
    // handles far faster than one insertion per row.
    void AppendRows(std::vector<Row>&& rows);
    // Sub-item 0 is the item text. Returns false for a row or sub-item out of range.
    bool SetItemText(int row, int subItem, const QString& text);
    QString GetItemText(int row, int subItem) const;
    bool SetItemData(int row, void* data);
    void* GetItemData(int row) const;
    // The first selected row, or -1 when none is selected.
    int GetFirstSelectedItem() const;
    void SelectItem(int row);

    // Grid lines on or off (full-row selection is always on).
    void SetGridLines(bool on);
    bool HasGridLines() const;

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    friend class CListViewEx;

    // Sets the column count and header titles (the view's RebuildColumns).
    void SetColumns(const std::vector<QString>& titles);
    QString HeaderTitle(int section) const;
    void SetHeaderTitle(int section, const QString& title);
    // Reorders the rows so that row i becomes the old row order[i].
    void Permute(const std::vector<int>& order);

    CListViewEx* m_view;
    std::vector<Row> m_rows;
    std::vector<QString> m_titles;
};

class CListViewEx : public QTableView {
    Q_OBJECT
public:
    explicit CListViewEx(ListLayout layout = LayoutFileMetrics, QWidget* parent = nullptr);
    ~CListViewEx() override;

    // Builds the column table and order of a layout; reads "VisibleColumns" for
    // layout 0. Does not touch the list's columns.
    void SetupColumns(ListLayout layout);
    // Recreates the list's columns from the table and the order.
    void RebuildColumns();
    // Copies GetColumnCount() entries into the order; call RebuildColumns() after.
    void SetColumnOrder(const signed char* order);
    const signed char* GetColumnOrder() const { return m_pOrder.data(); }
    const ColumnDef* GetColumnDefs() const { return m_pColumns; }
    int GetColumnCount() const { return m_nColumns; }
    CListCtrl& GetListCtrl() { return *m_list; }
    const CListCtrl& GetListCtrl() const { return *m_list; }

    // Whether grid lines are wanted when the columns are (re)built.
    void SetGridLinesWanted(bool on) { m_bGridLinesWanted = on; }

    // Sorts by the column at display position `position`, as a header click does.
    void SortByPosition(int position);
    bool IsDescending() const { return m_bDescending; }
    int SortColumn() const { return m_nSortColumn; }

    // The row comparison of the sort: text (letters in lower case) or the
    // leading integers of the two texts; the sign flips when descending.
    enum CompareFlags { CompareText = 0, CompareNumeric = 1, CompareDescending = 2 };
    static int CompareRows(const QString& key1, const QString& key2, int flags);
    // The leading integer of a text: blanks, a sign, then decimal digits.
    static long long LeadingInteger(const QString& text);

    // The 14 characters of "VisibleColumns" for the current order.
    QString OrderString() const;

    int m_nLayout = 0; // the layout given at construction; only layout 0 saves the order

Q_SIGNALS:
    // A row with a data value was double-clicked: open its file.
    void openFileRequested(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void OnHeaderClicked(int section);

    int m_bDescending = 0;                 // current sort direction
    int m_nSortColumn = 0;                 // display position sorted last
    std::vector<signed char> m_pOrder;     // column shown at each display position, or -1
    const ColumnDef* m_pColumns = nullptr; // column table of the current layout
    int m_nColumns = 0;                    // 14, 6 or 5
    int m_bRebuildColumns = 1;             // rebuild the columns at the next paint
    bool m_bGridLinesWanted = false;       // grid lines when the columns are rebuilt
    CListCtrl* m_list;                     // the rows, owned through the Qt parent
};
