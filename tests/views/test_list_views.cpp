// The metrics list and the totals pane, headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

#include "ListViewEx.h"
#include "SettingsFixture.h"
#include "TotalsView.h"
#include "tarnel.h"

namespace {

class ListViews : public SettingsTest {
protected:
    static void storeOrder(const QString& value) { Store("VisibleColumns", value); }
    static QString storedOrder() { return Stored("VisibleColumns").toString(); }
    static QStringList headerTitles(CListViewEx& view) {
        QStringList titles;
        for (int i = 0; i < view.GetListCtrl().columnCount(); ++i) {
            if (!view.isColumnHidden(i))
                titles
                    << view.GetListCtrl().headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        return titles;
    }
    static void fill(CListViewEx& view, const QStringList& names, const QList<int>& lines) {
        auto& list = view.GetListCtrl();
        for (int i = 0; i < names.size(); ++i) {
            const int r = list.InsertItem(i, names[i]);
            list.SetItemText(r, 1, QString::number(lines[i]));
        }
    }
    static QStringList column(CListViewEx& view, int k) {
        QStringList out;
        for (int r = 0; r < view.GetListCtrl().GetItemCount(); ++r)
            out << view.GetListCtrl().GetItemText(r, k);
        return out;
    }
};

TEST_F(ListViews, DefaultOrderShowsAllFourteenAndIsWrittenBack) {
    {
        CListViewEx view;
        view.RebuildColumns();
        EXPECT_EQ(view.GetColumnCount(), 14);
        EXPECT_EQ(headerTitles(view),
                  QStringList({"File name", "Lines", "Effective", "E%", "Comment", "C%", "Blank",
                               "B%", "Func.", "avg CC", "min CC", "max CC", "class", "struct"}));
    }
    EXPECT_EQ(storedOrder(), "ABCDEFGHIJKLMN");
}

TEST_F(ListViews, ShortStoredOrderIsPaddedWithEmptyPositions) {
    storeOrder("ABCEFGHIJKLMN"); // no D: "E%" hidden
    {
        CListViewEx view;
        view.RebuildColumns();
        EXPECT_FALSE(headerTitles(view).contains("E%"));
        EXPECT_EQ(headerTitles(view).size(), 13);
        EXPECT_EQ(view.GetColumnOrder()[13], -1);
        EXPECT_EQ(view.GetColumnOrder()[3], 4);
    }
    EXPECT_EQ(storedOrder(), "ABCEFGHIJKLMN@");
}

TEST_F(ListViews, OtherLayoutsShowAllColumnsAndNeverSave) {
    storeOrder("AB");
    {
        CListViewEx view(LayoutFunctionMetrics);
        view.RebuildColumns();
        EXPECT_EQ(headerTitles(view),
                  QStringList({"Function", "Lines", "Effective", "Comment", "Blank", "Cyc.Cmplx"}));
        view.SetupColumns(LayoutTotals);
        view.RebuildColumns();
        EXPECT_EQ(headerTitles(view),
                  QStringList({"Metric", "Total", "Average", "Minumum", "Maximum"}));
    }
    EXPECT_EQ(storedOrder(), "AB");
}

TEST_F(ListViews, SortDirectionsAndHeaderMarks) {
    CListViewEx view;
    view.RebuildColumns();
    fill(view, {"b.c", "A.c", "c.c"}, {10, 9, 100});

    // The first click on position 0 sorts descending: the last sorted position starts at 0.
    view.SortByPosition(0);
    EXPECT_EQ(column(view, 0), QStringList({"c.c", "b.c", "A.c"}));
    view.SortByPosition(0);
    EXPECT_EQ(column(view, 0), QStringList({"A.c", "b.c", "c.c"})); // capital A before small b

    // Lines: ascending, then descending; numbers, not texts (9 before 10).
    view.SortByPosition(1);
    EXPECT_EQ(column(view, 1), QStringList({"9", "10", "100"}));
    EXPECT_EQ(headerTitles(view)[1], "Lines+");
    EXPECT_EQ(headerTitles(view)[0], "File name");
    view.SortByPosition(1);
    EXPECT_EQ(column(view, 1), QStringList({"100", "10", "9"}));
    EXPECT_EQ(headerTitles(view)[1], "Lines-");

    // Another column keeps the direction and takes the mark.
    view.SortByPosition(4);
    EXPECT_TRUE(view.IsDescending());
    EXPECT_EQ(headerTitles(view)[4], "Comment-");
    EXPECT_EQ(headerTitles(view)[1], "Lines");
    view.SortByPosition(4);
    EXPECT_EQ(headerTitles(view)[4], "Comment+");
}

TEST_F(ListViews, SortOnEmptyListChangesNothing) {
    CListViewEx view;
    view.RebuildColumns();
    view.SortByPosition(0);
    EXPECT_FALSE(view.IsDescending());
    EXPECT_EQ(headerTitles(view)[0], "File name");
}

TEST_F(ListViews, SortKeepsRowDataAndSelectionWithTheirRows) {
    CListViewEx view;
    view.RebuildColumns();
    char pa[] = "/x/a.c", pb[] = "/x/b.c";
    FileRecord a{pa, 1, nullptr}, b{pb, 2, nullptr};
    auto& list = view.GetListCtrl();
    list.InsertItem(0, "a.c", &a);
    list.SetItemText(0, 1, "5");
    list.InsertItem(1, "b.c", &b);
    list.SetItemText(1, 1, "7");
    list.SelectItem(0);
    view.SortByPosition(1); // ascending: unchanged
    view.SortByPosition(1); // descending: b first
    EXPECT_EQ(list.GetItemData(0), &b);
    EXPECT_EQ(list.GetItemData(1), &a);
    EXPECT_EQ(list.GetFirstSelectedItem(), 1);
}

TEST(CompareRows, LeadingIntegerAndCase) {
    struct Case {
        const char* a;
        const char* b;
        int flags;
        int expected;
    } cases[] = {
        {"9", "10", CListViewEx::CompareNumeric, -1},
        {"-1", "0", CListViewEx::CompareNumeric, -1},
        {" 12x", "12", CListViewEx::CompareNumeric, 0},
        {"abc", "", CListViewEx::CompareNumeric, 0},
        {"9", "10", CListViewEx::CompareNumeric | CListViewEx::CompareDescending, 1},
        {"Apple", "banana", CListViewEx::CompareText, -1},
        {"ABC", "abc", CListViewEx::CompareText, 0},
        {"b", "a", CListViewEx::CompareText | CListViewEx::CompareDescending, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CListViewEx::CompareRows(c.a, c.b, c.flags), c.expected)
            << c.a << " vs " << c.b << " flags " << c.flags;
    }
}

TEST_F(ListViews, TotalsPaneShowsOneChildAndClearEmptiesBoth) {
    CTotalsView pane;
    pane.resize(400, 200);
    pane.show();
    EXPECT_TRUE(pane.m_wndText->isVisible());
    EXPECT_FALSE(pane.GetList()->isVisible());
    pane.SetText("FILE METRICS\n\nx");
    pane.SetListLayout(LayoutTotals);
    pane.GetList()->GetListCtrl().InsertItem(0, "Lines");
    pane.SetAsList(true);
    EXPECT_FALSE(pane.m_wndText->isVisible());
    EXPECT_TRUE(pane.GetList()->isVisible());
    EXPECT_EQ(pane.GetList()->geometry(), QRect(0, 0, 400, 200));
    // Resizing moves only the shown child; switching gives the other the current size.
    pane.resize(500, 300);
    EXPECT_EQ(pane.GetList()->geometry(), QRect(0, 0, 500, 300));
    pane.SetAsList(false);
    EXPECT_EQ(pane.m_wndText->geometry(), QRect(0, 0, 500, 300));
    EXPECT_EQ(pane.GetText(), "FILE METRICS\n\nx");
    pane.Clear();
    EXPECT_EQ(pane.GetText(), "");
    EXPECT_EQ(pane.GetList()->GetListCtrl().GetItemCount(), 0);
    EXPECT_EQ(pane.GetList()->GetListCtrl().columnCount(), 5); // the columns stay
}

// Not a timed test: prints how long 100,000 rows take to fill and to sort.
TEST_F(ListViews, HundredThousandRowsFigures) {
    CListViewEx view;
    view.resize(800, 600);
    view.show();
    view.RebuildColumns();
    auto& list = view.GetListCtrl();
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 100000; ++i) {
        const int r = list.InsertItem(i, QString("file%1.c").arg((i * 7919) % 100000));
        for (int k = 1; k < 14; ++k)
            list.SetItemText(r, k, QString::number((i * 31 + k) % 977));
    }
    const auto t1 = std::chrono::steady_clock::now();
    view.SortByPosition(1);
    const auto t2 = std::chrono::steady_clock::now();
    view.SortByPosition(0);
    const auto t3 = std::chrono::steady_clock::now();
    auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf("100000 rows: fill %.0f ms, numeric sort %.0f ms, text sort %.0f ms\n", ms(t1 - t0),
                ms(t2 - t1), ms(t3 - t2));
    EXPECT_EQ(list.GetItemCount(), 100000);
}

} // namespace
