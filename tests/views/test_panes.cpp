// The panes as the main window uses them today: the list's column tables
// and the totals pane's text, list and choice between them.
#include "ListViewEx.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QPlainTextEdit>

TEST(ListViewEx, LayoutsHaveTheirColumnTables) {
    struct Case {
        ListLayout layout;
        int columns;
        const char* first;
        const char* last;
    };
    for (const Case& c : {Case{LayoutFileMetrics, 14, "File name", "struct"},
                          Case{LayoutFunctionMetrics, 6, "Function", "Cyc.Cmplx"},
                          Case{LayoutTotals, 5, "Metric", "Maximum"}}) {
        CListViewEx list(c.layout);
        list.RebuildColumns();
        ASSERT_EQ(list.model()->columnCount(), c.columns) << int(c.layout);
        EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(), QLatin1String(c.first));
        EXPECT_EQ(list.model()->headerData(c.columns - 1, Qt::Horizontal).toString(),
                  QLatin1String(c.last));
        // The initial widths never clip a title, so they may exceed the table's.
        EXPECT_GE(list.columnWidth(0), list.GetColumnDefs()[0].width);
        EXPECT_EQ(list.m_nLayout, c.layout);
    }
    // Switching the layout later keeps the layout given at construction.
    CListViewEx list(LayoutFunctionMetrics);
    list.SetupColumns(LayoutTotals);
    list.RebuildColumns();
    EXPECT_EQ(list.model()->columnCount(), 5);
    EXPECT_EQ(list.m_nLayout, LayoutFunctionMetrics);
}

TEST(TotalsView, TextRoundTripsWithLineFeeds) {
    CTotalsView view;
    view.SetText(QStringLiteral("FILE METRICS\n\nFiles:\t3\n"));
    EXPECT_EQ(view.GetText(), QStringLiteral("FILE METRICS\n\nFiles:\t3\n"));
    EXPECT_TRUE(view.m_wndText->isReadOnly());
    view.Clear();
    EXPECT_EQ(view.GetText(), QString());
}

TEST(TotalsView, AsListChosenBeforeTheListExistsIsAppliedAtInitialUpdate) {
    CTotalsView view;
    view.resize(300, 200);
    EXPECT_EQ(view.GetList(), nullptr);
    view.SetAsList(true);
    view.SetText(QStringLiteral("kept"));
    view.show();
    ASSERT_NE(view.GetList(), nullptr);
    EXPECT_TRUE(view.GetList()->isVisible());
    EXPECT_FALSE(view.m_wndText->isVisible());

    // A second initial update changes nothing and loses no text.
    CListViewEx* list = view.GetList();
    view.OnInitialUpdate();
    EXPECT_EQ(view.GetList(), list);
    EXPECT_EQ(view.GetText(), QStringLiteral("kept"));

    view.SetAsList(false);
    EXPECT_TRUE(view.m_wndText->isVisible());
    EXPECT_FALSE(list->isVisible());
}

TEST(TreeViewEx, StartsEmptyWithOneColumn) {
    CTreeViewEx tree;
    EXPECT_EQ(tree.objectName(), QStringLiteral("projectTree"));
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(tree.columnCount(), 1);
}
