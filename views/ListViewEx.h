// CListViewEx: the program's list of results. It shows the file metrics
// (top-right pane of the main window), and inside the totals pane the
// function metrics of one file or the totals of a run. Each layout has its
// own table of column titles and widths.
#pragma once

#include <QTreeView>
#include <span>

class QStandardItemModel;

// Which table of columns a list shows.
enum ListLayout : signed char {
    LayoutFileMetrics = 0,
    LayoutFunctionMetrics = 1,
    LayoutTotals = 2,
};

struct ColumnDef {
    const char* title;
    int width; // initial width in pixels
};

// The column table of a layout.
std::span<const ColumnDef> LayoutColumns(ListLayout layout);

class CListViewEx : public QTreeView {
    Q_OBJECT
public:
    explicit CListViewEx(ListLayout layout, QWidget* parent = nullptr);

    // Switches to the columns of `layout`; rows already shown are dropped.
    void SetupColumns(ListLayout layout);

    int m_nLayout; // the layout given at construction

private:
    QStandardItemModel* m_pModel;
};
