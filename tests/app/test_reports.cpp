// The function and class reports of one file: what the pane's text and list
// show, the order of the functions, the summary with its odd start values,
// the files without functions or classes, and a file that went away.
#include "MetricsFixture.h"
#include "Resource.h"
#include "run/core/reports.h"

#include <QAbstractItemModel>

namespace {

class Reports : public MetricsFixture {
protected:
    // A metrics list row for `path`, selected as the user would select it.
    void SelectFile(const QString& path) {
        const int row = AddRow({QStringLiteral("x.cpp"), QStringLiteral("1")}, path);
        List().GetListCtrl().SelectItem(row);
    }

    // The pane's list as the file metrics run leaves it: the totals layout
    // with one row.
    void FillPaneAsAfterARun() {
        Pane().SetListLayout(LayoutTotals);
        PaneRows().DeleteAllItems();
        const int row = PaneRows().InsertItem(0, QStringLiteral("Lines"));
        PaneRows().SetItemText(row, 1, QStringLiteral("42"));
        Pane().SetText(QStringLiteral("FILE METRICS"));
    }

    QString PaneHeader(int column) {
        return Pane().GetList()->model()->headerData(column, Qt::Horizontal).toString();
    }
};

// A C++ file with f before g: 3 and 7 lines.
const QByteArray kTwoFunctions = "int f()\n{\n    return 0;\n}\n\n"
                                 "int g(int a)\n{\n    // twice\n    if (a)\n"
                                 "        return 2;\n\n    return 1;\n}\n";

// A function whose body holds `lines` statements: lines + 2 lines in all.
QByteArray Function(const char* name, int lines) {
    QByteArray text = QByteArray("void ") + name + "()\n{\n";
    for (int i = 0; i < lines; ++i)
        text += "    x++;\n";
    return text + "}\n";
}

TEST_F(Reports, FunctionReportListsTheLastFunctionFirstInTextAndRows) {
    const QString path = WriteSource(QStringLiteral("fg.cpp"), kTwoFunctions);
    SelectFile(path);
    FillPaneAsAfterARun();
    ASSERT_TRUE(m_frame->OnCommand(ID_FUNCTION_METRICS));

    const QString expected =
        QStringLiteral("FUNCTION METRICS for source code file: ") + path +
        QStringLiteral("\n\n\t~~~~~~~~~ total 2 function(s) ~~~~~~~~~\t\n\n"
                       "FUNCTION: g\nLines\tEffective\tComment\tBlank\tCyc.Complx\n"
                       "7\t3\t1\t1\t2\n\n"
                       "FUNCTION: f\nLines\tEffective\tComment\tBlank\tCyc.Complx\n"
                       "3\t1\t0\t0\t1\n\n"
                       "\t~~~~~~~~~ Summary for 2 funtion(s) ~~~~~~~~~\t\n\n"
                       "METRIC\tTOTAL\tAVG\tMIN\tMAX\n"
                       "Lines\t10\t5\t3\t7\n"
                       "Effective\t4\t2\t1\t3\n"
                       "Comment\t1\t0\t0\t1\n"
                       "Blank\t1\t0\t0\t1\n"
                       "C.Cmplx.\t3\t1\t1\t2\n");
    EXPECT_EQ(Pane().GetText(), expected);

    // The pane's list switched to the function layout and holds g, then f.
    EXPECT_EQ(Pane().GetList()->GetColumnCount(), 6);
    EXPECT_EQ(PaneHeader(0), QStringLiteral("Function"));
    EXPECT_EQ(PaneHeader(5), QStringLiteral("Cyc.Cmplx"));
    EXPECT_EQ(RowTexts(PaneRows(), 6),
              QStringList({QStringLiteral("g|7|3|1|1|2"), QStringLiteral("f|3|1|0|0|1")}));
    // The metrics list is untouched.
    EXPECT_EQ(List().GetListCtrl().GetItemCount(), 1);
}

TEST_F(Reports, SummaryOfThreeFunctionsAndTheToolbarButton) {
    const QString path = WriteSource(QStringLiteral("three.cpp"),
                                     Function("a", 8) + Function("b", 9) + Function("c", 10));
    SelectFile(path);
    ASSERT_TRUE(m_frame->OnCommand(ID_TB_FUNCTION_METRICS));
    const QString text = Pane().GetText();
    EXPECT_TRUE(text.contains(QStringLiteral("\nLines\t33\t11\t10\t12\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nEffective\t27\t9\t8\t10\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nC.Cmplx.\t3\t1\t1\t1\n")));
    EXPECT_EQ(PaneRows().GetItemCount(), 3);
    EXPECT_EQ(PaneRows().GetItemText(0, 0), QStringLiteral("c"));
    EXPECT_EQ(PaneRows().GetItemText(0, 1), QStringLiteral("12"));
}

TEST_F(Reports, FunctionLongerThan65535LinesLeavesTheMinimumAt65535) {
    const QString path = WriteSource(QStringLiteral("huge.cpp"), Function("big", 70000));
    SelectFile(path);
    m_frame->OnFunctionMetrics();
    const QString text = Pane().GetText();
    EXPECT_TRUE(text.contains(QStringLiteral("\nLines\t70002\t70002\t65535\t70002\n")))
        << text.right(200).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nEffective\t70000\t70000\t65535\t70000\n")));
    EXPECT_EQ(PaneRows().GetItemText(0, 1), QStringLiteral("70002"));
}

TEST_F(Reports, FilesWithoutFunctionsClearThePaneAndSaySo) {
    // A Visual Basic file is measured as C++ too, and has no braces.
    for (const char* name : {"Module1.bas", "empty.cpp"}) {
        const QByteArray source = QByteArray(name).endsWith(".bas")
                                      ? QByteArray("Sub Main()\n    x = 1\nEnd Sub\n")
                                      : QByteArray("// nothing here\nint x = 1;\n");
        const QString path = WriteSource(QLatin1String(name), source);
        SelectFile(path);
        FillPaneAsAfterARun();
        m_frame->OnFunctionMetrics();
        EXPECT_EQ(Pane().GetText(), QLatin1String(kestrum::kNoFunctionsFound)) << name;
        EXPECT_EQ(PaneRows().GetItemCount(), 0) << name;
        // The list keeps its columns.
        EXPECT_EQ(Pane().GetList()->GetColumnCount(), 5) << name;
    }
}

TEST_F(Reports, ClassReportNamesTheExportMacroAndLeavesThePaneListAlone) {
    const QString functions = WriteSource(QStringLiteral("fg.cpp"), kTwoFunctions);
    const QString classes = WriteSource(QStringLiteral("shapes.h"),
                                        "// shapes\nclass EXPORT Shape {\n};\nclass Other {\n};\n");
    SelectFile(functions);
    m_frame->OnFunctionMetrics();
    const QStringList before = RowTexts(PaneRows(), 6);
    ASSERT_EQ(before.size(), 2);

    List().GetListCtrl().DeleteAllItems();
    SelectFile(classes);
    ASSERT_TRUE(m_frame->OnCommand(ID_CLASS_METRICS));
    EXPECT_EQ(Pane().GetText(),
              QStringLiteral("CLASS METRICS for source code file: ") + classes +
                  QStringLiteral("\n\n\t~~~~~~~~~ total 2 class(es) ~~~~~~~~~\t\n\n"
                                 "\nCLASS: Other\nCLASS: EXPORT"));
    EXPECT_EQ(RowTexts(PaneRows(), 6), before);
    EXPECT_EQ(PaneHeader(0), QStringLiteral("Function"));

    // No classes: the message, and the list still as it was. The other two
    // ids of the command run the same report.
    for (int id : {ID_CLASS_METRICS_2, ID_CLASS_METRICS_3}) {
        List().GetListCtrl().DeleteAllItems();
        SelectFile(functions);
        Pane().SetText(QStringLiteral("before"));
        ASSERT_TRUE(m_frame->OnCommand(id));
        EXPECT_EQ(Pane().GetText(), QLatin1String(kestrum::kNoClassesFound)) << id;
        EXPECT_EQ(RowTexts(PaneRows(), 6), before) << id;
    }
}

TEST_F(Reports, ClassMetricsIsOfferedInTheMetricsMenu) {
    QAction* action = m_frame->Action(ID_CLASS_METRICS);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("&Class metrics"));
    EXPECT_EQ(action->statusTip(), QStringLiteral("Class metrics"));
    EXPECT_TRUE(action->isEnabled());
}

TEST_F(Reports, WithoutASelectedRowNothingHappens) {
    const QString path = WriteSource(QStringLiteral("fg.cpp"), kTwoFunctions);
    AddRow({QStringLiteral("fg.cpp")}, path); // listed, not selected
    FillPaneAsAfterARun();
    for (int id : {ID_FUNCTION_METRICS, ID_CLASS_METRICS}) {
        ASSERT_TRUE(m_frame->OnCommand(id));
        EXPECT_EQ(Pane().GetText(), QStringLiteral("FILE METRICS")) << id;
        EXPECT_EQ(RowTexts(PaneRows(), 2), QStringList{QStringLiteral("Lines|42")}) << id;
    }
    EXPECT_TRUE(m_platform.shown().empty());
}

TEST_F(Reports, FileGoneSinceItWasListedIsNamedAndTheListStays) {
    const QString path = WriteSource(QStringLiteral("gone.cpp"), kTwoFunctions);
    SelectFile(path);
    ASSERT_TRUE(QFile::remove(path));
    for (int id : {ID_FUNCTION_METRICS, ID_CLASS_METRICS}) {
        FillPaneAsAfterARun();
        ASSERT_TRUE(m_frame->OnCommand(id));
        EXPECT_EQ(Pane().GetText(), QStringLiteral("Can't read file: ") + path +
                                        QStringLiteral(". It may have been moved or deleted "
                                                       "since it was listed."))
            << id;
        EXPECT_EQ(RowTexts(PaneRows(), 2), QStringList{QStringLiteral("Lines|42")}) << id;
        EXPECT_EQ(Pane().GetList()->GetColumnCount(), 5) << id;
    }
    EXPECT_TRUE(m_platform.shown().empty());
}

} // namespace
