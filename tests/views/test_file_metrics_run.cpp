// The File metrics run through the main window, headless, on real files in a
// temporary folder: the rows and their percentages, Visual Basic values, the
// report and its list after hidden or reordered columns, the language by
// extension, unticked sources, stopping, aborting, empty trees, the progress
// text, the commands that a run disables, and the list's own commands.
#include "ListViewEx.h"
#include "MainFrm.h"
#include "Orbek.h"
#include "Resource.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStackedLayout>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItem>

#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "tarnel.h"

namespace {

// Text of `count` lines, each `line` followed by a line feed.
QByteArray Lines(const char* line, int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        text += line;
        text += '\n';
    }
    return text;
}

class FileMetricsRun : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
    }

    void TearDown() override {
        if (m_app != nullptr) {
            // The records are this test's: take the items out before the window goes.
            CTreeViewEx* tree = m_app->MainFrame()->m_pTreeView;
            while (tree->topLevelItemCount() > 0) {
                delete tree->takeTopLevelItem(0);
            }
        }
        m_app.reset();
        for (FileRecord* record : m_records) {
            delete[] record->path;
            delete record;
        }
    }

    CMainFrame& Start() {
        m_app = std::make_unique<COrbekApp>(m_platform);
        EXPECT_TRUE(m_app->InitInstance({}));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->MainFrame()));
        CMainFrame& frame = *m_app->MainFrame();
        frame.m_nPumpIntervalMs = 0; // let events through after every file
        return frame;
    }

    // Writes a file into the temporary folder; returns its full path.
    QString Write(const QString& name, const QByteArray& text) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    // A source item with one file item per path, all ticked unless listed.
    QTreeWidgetItem* AddSource(CMainFrame& frame, const QStringList& paths,
                               bool sourceChecked = true, const QList<int>& unticked = {}) {
        auto* source = new QTreeWidgetItem(QStringList(m_dir.path() + QLatin1Char('/')));
        source->setFlags(source->flags() | Qt::ItemIsUserCheckable);
        source->setCheckState(0, sourceChecked ? Qt::Checked : Qt::Unchecked);
        frame.m_pTreeView->addTopLevelItem(source);
        for (int i = 0; i < paths.size(); ++i) {
            const QByteArray bytes = QFile::encodeName(paths[i]);
            auto* record = new FileRecord{new char[bytes.size() + 1], 0, nullptr};
            std::memcpy(record->path, bytes.constData(), bytes.size() + 1);
            record->size = static_cast<int>(QFileInfo(paths[i]).size());
            m_records.push_back(record);
            auto* file = new QTreeWidgetItem(QStringList(QFileInfo(paths[i]).fileName()));
            file->setFlags(file->flags() | Qt::ItemIsUserCheckable);
            file->setCheckState(0, unticked.contains(i) ? Qt::Unchecked : Qt::Checked);
            CTreeViewEx::SetRecord(file, record);
            source->addChild(file);
        }
        return source;
    }

    static CListCtrl& Rows(CMainFrame& frame) { return frame.m_pListView->GetListCtrl(); }
    static CListCtrl& TotalsRows(CMainFrame& frame) {
        return frame.m_pTotalsView->GetList()->GetListCtrl();
    }

    // Row r of a list as its texts from position 0 on.
    static QStringList Row(CListCtrl& list, int r) {
        QStringList cells;
        for (int k = 0; k < list.columnCount(); ++k) {
            cells << list.GetItemText(r, k);
        }
        while (!cells.isEmpty() && cells.back().isEmpty()) {
            cells.removeLast();
        }
        return cells;
    }

    static QStringList ItemTexts(CListCtrl& list) {
        QStringList texts;
        for (int r = 0; r < list.GetItemCount(); ++r) {
            texts << list.GetItemText(r, 0);
        }
        return texts;
    }

    // Performs `action` at the pump that follows file `after` of the run
    // (counting from 1): each pump delivers one posted step, which posts the next.
    static void AtPump(CMainFrame& frame, int after, std::function<void()> action) {
        PostStep(&frame, 1, after, std::move(action));
    }
    static void PostStep(CMainFrame* frame, int pump, int after, std::function<void()> action) {
        QMetaObject::invokeMethod(
            frame,
            [frame, pump, after, action] {
                if (pump == after) {
                    action();
                } else if (frame->m_bRunning) {
                    PostStep(frame, pump + 1, after, action);
                }
            },
            Qt::QueuedConnection);
    }

    void Run(CMainFrame& frame) { frame.OnCommand(ID_FILE_METRICS); }

    QTemporaryDir m_dir;
    CScriptedPlatform m_platform;
    std::unique_ptr<COrbekApp> m_app;
    std::vector<FileRecord*> m_records;
};

TEST_F(FileMetricsRun, PercentagesAreTruncatedNotRounded) {
    CMainFrame& frame = Start();
    // 29 effective of 100 lines, 57 comment lines of 100, 1 blank of 3.
    const QString e = Write("e.cpp", Lines("int a;", 29) + Lines("", 71));
    const QString c = Write("c.cpp", Lines("// note", 57) + Lines("int b;", 43));
    const QString b = Write("b.cpp", "int a;\n\nint b;\n");
    AddSource(frame, {e, c, b});
    Run(frame);

    CListCtrl& rows = Rows(frame);
    ASSERT_EQ(rows.GetItemCount(), 3);
    // File name, Lines, Effective, E%, Comment, C%, Blank, B%, Func., CCs, class, struct.
    EXPECT_EQ(Row(rows, 0), QStringList({"e.cpp", "100", "29", "28", "0", "0", "71", "71", "0", "0",
                                         "0", "0", "0", "0"}));
    EXPECT_EQ(Row(rows, 1), QStringList({"c.cpp", "100", "43", "43", "57", "56", "0", "0", "0", "0",
                                         "0", "0", "0", "0"}));
    EXPECT_EQ(Row(rows, 2), QStringList({"b.cpp", "3", "2", "66", "0", "0", "1", "33", "0", "0",
                                         "0", "0", "0", "0"}));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rows.GetItemData(r), m_records[r]);
    }
    EXPECT_EQ(frame.MessageText(), "Ready");
    EXPECT_FALSE(frame.m_wndProgress->isVisible());
    EXPECT_TRUE(frame.m_pTreeView->isEnabled());
}

TEST_F(FileMetricsRun, ReportOfTwoFilesAndItsListRows) {
    CMainFrame& frame = Start();
    const QString a = Write("a.cpp", Lines("int a;", 10));
    const QString b = Write("b.cpp", Lines("int b;", 30));
    AddSource(frame, {a, b});
    Run(frame);

    EXPECT_EQ(frame.m_pTotalsView->GetText(), "FILE METRICS\n\n"
                                              "\t~~~~~~~~~ total 2 source file(s) ~~~~~~~~~\n\n"
                                              "METRIC\tTOTAL\tAVG\tMIN\tMAX\n"
                                              "Lines\t40\t20\t10\t30\n"
                                              "Effective\t40\t20\t10\t30\n"
                                              "Comment\t0\t0\t0\t0\n"
                                              "Blank\t0\t0\t0\t0\n"
                                              "Functions\t0\t0\t0\t0\n"
                                              "Class\t0\t0\t0\t0\n"
                                              "Struct\t0\t0\t0\t0\n");
    CListCtrl& totals = TotalsRows(frame);
    EXPECT_EQ(frame.m_pTotalsView->GetList()->GetColumnCount(), 5); // layout 2
    ASSERT_EQ(totals.GetItemCount(), 7);
    EXPECT_EQ(Row(totals, 0), QStringList({"Lines", "40", "20", "10", "30"}));
    EXPECT_EQ(ItemTexts(totals), QStringList({"Lines", "Effective", "Comment", "Blank", "Functions",
                                              "Class", "Struct"}));
    EXPECT_EQ(totals.GetItemData(0), nullptr);
}

TEST_F(FileMetricsRun, AverageIsTruncated) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("a.c", Lines("x;", 10)), Write("b.c", Lines("x;", 10)),
                      Write("c.c", Lines("x;", 11))});
    Run(frame);
    EXPECT_EQ(Row(TotalsRows(frame), 0), QStringList({"Lines", "31", "10", "10", "11"}));
}

TEST_F(FileMetricsRun, VisualBasicRowsAndTotals) {
    CMainFrame& frame = Start();
    frame.OnCommand(ID_LANG_VB);
    AddSource(frame, {Write("empty.bas", ""), Write("one.bas", "Dim a\n")});
    Run(frame);

    CListCtrl& rows = Rows(frame);
    ASSERT_EQ(rows.GetItemCount(), 2);
    EXPECT_EQ(Row(rows, 0), QStringList({"empty.bas", "0", "0", "0", "0", "0", "0", "0", "-1", "-1",
                                         "-1", "-1", "-1", "-1"}));
    // The maximum starts at 0, so two files of -1 functions keep it there.
    const QStringList functions = Row(TotalsRows(frame), 4);
    EXPECT_EQ(functions, QStringList({"Functions", "-2", "-1", "-1", "0"}));
    EXPECT_TRUE(frame.m_pTotalsView->GetText().contains("Functions\t-2\t-1\t-1\t0\n"));
}

struct ColumnsCase {
    const char* name;
    const char* visibleColumns;
    QStringList header;     // titles of the shown columns, in display order
    QStringList rowOfFile;  // the row of a file of 4 lines: 3 code, 1 blank
    QStringList reportRows; // item texts of the totals list
};

class HiddenAndReorderedColumns : public FileMetricsRun,
                                  public ::testing::WithParamInterface<ColumnsCase> {};

TEST_P(HiddenAndReorderedColumns, RowsAndReportFollowTheDisplayOrder) {
    const ColumnsCase& c = GetParam();
    Store("VisibleColumns", c.visibleColumns);
    CMainFrame& frame = Start();
    AddSource(frame, {Write("f.cpp", "int a;\n\nint b;\nint c;\n")});
    Run(frame);

    CListViewEx& view = *frame.m_pListView;
    QStringList header;
    for (int k = 0; k < view.GetListCtrl().columnCount(); ++k) {
        if (!view.isColumnHidden(k)) {
            header << view.GetListCtrl().headerData(k, Qt::Horizontal, Qt::DisplayRole).toString();
        }
    }
    EXPECT_EQ(header, c.header);
    EXPECT_EQ(Row(Rows(frame), 0), c.rowOfFile);
    EXPECT_EQ(ItemTexts(TotalsRows(frame)), c.reportRows);
    // The report's metric lines come in the same order as the list rows.
    QStringList reportLabels;
    for (const QString& line : frame.m_pTotalsView->GetText().split('\n').mid(5)) {
        if (!line.isEmpty()) {
            reportLabels << line.section('\t', 0, 0);
        }
    }
    EXPECT_EQ(reportLabels, c.reportRows);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, HiddenAndReorderedColumns,
    ::testing::Values(
        ColumnsCase{"lines_hidden",
                    "ACDEFGHIJKLMN",
                    {"File name", "Effective", "E%", "Comment", "C%", "Blank", "B%", "Func.",
                     "avg CC", "min CC", "max CC", "class", "struct"},
                    {"f.cpp", "3", "75", "0", "0", "1", "25", "0", "0", "0", "0", "0", "0"},
                    {"Effective", "Comment", "Blank", "Functions", "Class", "Struct"}},
        ColumnsCase{"blank_before_lines",
                    "AGBC",
                    {"File name", "Blank", "Lines", "Effective"},
                    {"f.cpp", "1", "4", "3"},
                    {"Blank", "Lines", "Effective"}},
        ColumnsCase{"percentages_only",
                    "AHDF",
                    {"File name", "B%", "E%", "C%"},
                    {"f.cpp", "25", "75", "0"},
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct LanguageCase {
    const char* name;
    const char* cExts;   // nullptr: not stored
    const char* cppExts; // nullptr: not stored
    const char* vbExts;  // nullptr: not stored
    int defaultLanguage;
    // The language each of x.h, x.c, x.frm, x.txt was analysed in.
    std::vector<const char*> languages;
};

class LanguageByExtension : public FileMetricsRun,
                            public ::testing::WithParamInterface<LanguageCase> {};

// "// x" tells the languages apart: a comment line in C++, code in C, and in
// Visual Basic code of a file without functions (-1).
const char* LanguageOfRow(const QStringList& row) {
    if (row.value(8) == "-1") {
        return "vb";
    }
    return row.value(4) == "1" ? "cpp" : "c";
}

TEST_P(LanguageByExtension, EachFileGetsTheLanguageOfTheLastMatchingList) {
    const LanguageCase& c = GetParam();
    if (c.cExts != nullptr) {
        Store("C_Def_Exts", c.cExts);
        Store("CPP_Def_Exts", c.cppExts);
        Store("VB_Def_Exts", c.vbExts);
    }
    Store("Def_Def_Exts", c.defaultLanguage);
    CMainFrame& frame = Start();
    frame.OnCommand(ID_LANG_BY_EXT);
    AddSource(frame, {Write("x.h", "// x\n"), Write("x.c", "// x\n"), Write("x.frm", "// x\n"),
                      Write("x.txt", "// x\n")});
    Run(frame);

    ASSERT_EQ(Rows(frame).GetItemCount(), 4);
    for (int r = 0; r < 4; ++r) {
        EXPECT_STREQ(LanguageOfRow(Row(Rows(frame), r)), c.languages[r]) << "row " << r;
    }
    if (c.cExts == nullptr) {
        // The first-use lists were written.
        EXPECT_EQ(Stored("C_Def_Exts").toString(), "C");
        EXPECT_EQ(Stored("CPP_Def_Exts").toString(), "CPP;HPP;H");
        EXPECT_EQ(Stored("VB_Def_Exts").toString(), "BAS;FRM");
    } else {
        EXPECT_EQ(Stored("C_Def_Exts").toString(), c.cExts);
    }
    EXPECT_EQ(frame.m_nLangExtCount[1], c.cExts != nullptr && std::strchr(c.cExts, ';') ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LanguageByExtension,
    ::testing::Values(
        LanguageCase{
            "first_use_lists_default_c", nullptr, nullptr, nullptr, 1, {"cpp", "c", "vb", "c"}},
        LanguageCase{
            "first_use_lists_default_vb", nullptr, nullptr, nullptr, 2, {"cpp", "c", "vb", "vb"}},
        LanguageCase{
            "c_list_names_h_too", "C;H", "CPP;HPP;H", "BAS;FRM", 0, {"c", "c", "vb", "cpp"}},
        LanguageCase{
            "dialog_first_lists", "C", "CPP; HPP", "BAS; FRM", 2, {"vb", "c", "vb", "vb"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileMetricsRun, ByExtensionTablesAreReplacedByTheNextRun) {
    CMainFrame& frame = Start();
    frame.OnCommand(ID_LANG_BY_EXT);
    AddSource(frame, {Write("x.c", "// x\n")});
    Run(frame);
    EXPECT_EQ(frame.m_nLangExtCount[0], 3); // CPP;HPP;H
    Store("CPP_Def_Exts", "CXX");
    Run(frame);
    ASSERT_EQ(frame.m_nLangExtCount[0], 1);
    EXPECT_EQ(frame.m_pLangExts[0][0], ".CXX");
}

TEST_F(FileMetricsRun, UncheckedSourceAndUncheckedFilesAreNotTaken) {
    CMainFrame& frame = Start();
    const QString a = Write("a.cpp", Lines("int a;", 1));
    const QString b = Write("b.cpp", Lines("int b;", 2));
    const QString c = Write("c.cpp", Lines("int c;", 4));
    AddSource(frame, {a, b}, /*sourceChecked=*/true, /*unticked=*/{0});
    AddSource(frame, {c}, /*sourceChecked=*/false);
    Run(frame);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"b.cpp"}));
    EXPECT_TRUE(frame.m_pTotalsView->GetText().contains("total 1 source file(s)"));
    EXPECT_EQ(Row(TotalsRows(frame), 0), QStringList({"Lines", "2", "2", "2", "2"}));
}

TEST_F(FileMetricsRun, ProgressTextOfTheThirdOfFiveFiles) {
    CMainFrame& frame = Start();
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths << Write(QStringLiteral("f%1.cpp").arg(i), Lines("int a;", i));
    }
    AddSource(frame, paths);
    QString seen;
    bool treeEnabled = true;
    bool progressShown = false;
    int progress = -1;
    AtPump(frame, 3, [&] {
        seen = frame.m_pTotalsView->GetText();
        treeEnabled = frame.m_pTreeView->isEnabled();
        progressShown = frame.m_wndProgress->isVisible();
        progress = frame.m_wndProgress->value();
    });
    Run(frame);
    EXPECT_EQ(seen, "Analyzing...\nProcessing file (3 of 5):\n" + paths[2]);
    EXPECT_FALSE(treeEnabled);
    EXPECT_TRUE(progressShown);
    // The bar measures bytes: the first three files hold 1 + 2 + 3 lines of 7 bytes.
    EXPECT_EQ(progress, 6 * 7);
    EXPECT_EQ(frame.m_wndProgress->maximum(), 15 * 7);
}

TEST_F(FileMetricsRun, SecondPressStopsAfterTheCurrentFile) {
    CMainFrame& frame = Start();
    QStringList paths;
    for (int i = 1; i <= 4; ++i) {
        paths << Write(QStringLiteral("f%1.cpp").arg(i), Lines("int a;", i));
    }
    AddSource(frame, paths);
    // A previous report fills the pane's list; the stop empties it.
    Run(frame);
    ASSERT_EQ(TotalsRows(frame).GetItemCount(), 7);

    bool buttonPressed = false;
    bool othersDisabled = false;
    AtPump(frame, 2, [&] {
        buttonPressed = frame.Action(ID_TB_FILE_METRICS)->isChecked();
        othersDisabled = !frame.Action(ID_PROJECT_NEW)->isEnabled() &&
                         !frame.Action(ID_METRICS_COLUMNS)->isEnabled() &&
                         !frame.Action(ID_ADD_FILES)->isEnabled();
        // A command given by its id is refused as well.
        frame.OnCommand(ID_LANG_VB);
        frame.Action(ID_TB_FILE_METRICS)->trigger();
    });
    Run(frame);

    EXPECT_TRUE(buttonPressed);
    EXPECT_TRUE(othersDisabled);
    EXPECT_EQ(frame.m_nLanguage, 0);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"f1.cpp", "f2.cpp"}));
    EXPECT_EQ(frame.m_pTotalsView->GetText(), "Analyze: User cancel.");
    EXPECT_EQ(TotalsRows(frame).GetItemCount(), 0);
    EXPECT_EQ(frame.MessageText(), "User cancel.");
    EXPECT_FALSE(frame.m_wndProgress->isVisible());
    EXPECT_TRUE(frame.m_pTreeView->isEnabled());
    EXPECT_FALSE(frame.Action(ID_TB_FILE_METRICS)->isChecked());
    EXPECT_TRUE(frame.Action(ID_PROJECT_NEW)->isEnabled());
    EXPECT_FALSE(frame.m_bRunning || frame.m_bStopRequest || frame.m_bAnalyzing);

    // The next run is not stopped by the old request.
    Run(frame);
    EXPECT_EQ(Rows(frame).GetItemCount(), 4);
}

TEST_F(FileMetricsRun, KeysReachNoCommandDuringARun) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n")});
    AtPump(frame, 1, [&] {
        QTest::keyClick(&frame, Qt::Key_M, Qt::AltModifier);     // File metrics
        QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier); // New project
    });
    Run(frame);
    EXPECT_EQ(Rows(frame).GetItemCount(), 2); // not stopped
    EXPECT_TRUE(frame.m_pTotalsView->GetText().startsWith("FILE METRICS"));
    EXPECT_EQ(frame.m_pTreeView->topLevelItemCount(), 1);
    // Outside a run Alt+M performs File metrics.
    Rows(frame).DeleteAllItems();
    QTest::keyClick(&frame, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(Rows(frame).GetItemCount(), 2);
}

TEST_F(FileMetricsRun, StopAfterTheLastFileDiscardsTheReport) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n")});
    AtPump(frame, 2, [&] { frame.OnCommand(ID_FILE_METRICS); });
    Run(frame);
    EXPECT_EQ(Rows(frame).GetItemCount(), 2);
    EXPECT_EQ(frame.m_pTotalsView->GetText(), "Analyze: User cancel.");
}

TEST_F(FileMetricsRun, ClosingTheWindowStopsTheRunThenCloses) {
    CMainFrame& frame = Start();
    AddSource(frame,
              {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n"), Write("c.cpp", "int c;\n")});
    bool closedAtOnce = true;
    AtPump(frame, 1, [&] { closedAtOnce = frame.close(); });
    Run(frame);
    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(Rows(frame).GetItemCount(), 1);
    EXPECT_EQ(frame.m_pTotalsView->GetText(), "Analyze: User cancel.");
    QTRY_VERIFY(!frame.isVisible());
}

struct AbortCase {
    const char* name;
    std::function<void(const QString& path)> spoil; // makes the second file unusable
};

class AbortedRun : public FileMetricsRun, public ::testing::WithParamInterface<AbortCase> {};

TEST_P(AbortedRun, MessageWithTheFullPathAndTheRowsBefore) {
    CMainFrame& frame = Start();
    const QString a = Write("a.cpp", "int a;\n");
    const QString b = Write("b.cpp", "int b;\n");
    const QString c = Write("c.cpp", "int c;\n");
    AddSource(frame, {a, b, c});
    Run(frame); // a report for the pane's list to keep
    ASSERT_EQ(TotalsRows(frame).GetItemCount(), 7);

    GetParam().spoil(b);
    m_platform.AnswerMessage(IDOK);
    Run(frame);

    const QString text = "Can't open file: " + b + ". Aborting project analyze!";
    ASSERT_FALSE(m_platform.shown().empty());
    EXPECT_EQ(m_platform.shown().back().text, text);
    EXPECT_EQ(m_platform.shown().back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(frame.m_pTotalsView->GetText(), text);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"a.cpp"}));
    EXPECT_EQ(TotalsRows(frame).GetItemCount(), 7);
    EXPECT_EQ(frame.MessageText(), "Ready");
    EXPECT_FALSE(frame.m_wndProgress->isVisible());
    EXPECT_TRUE(frame.m_pTreeView->isEnabled());
    EXPECT_FALSE(frame.m_bRunning || frame.m_bAnalyzing);
    EXPECT_TRUE(frame.Action(ID_PROJECT_NEW)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Files, AbortedRun,
    ::testing::Values(AbortCase{"deleted_after_the_search",
                                [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); }},
                      AbortCase{"replaced_by_a_directory",
                                [](const QString& path) {
                                    ASSERT_TRUE(QFile::remove(path));
                                    ASSERT_TRUE(QDir().mkdir(path));
                                }},
                      AbortCase{"replaced_by_a_fifo",
                                [](const QString& path) {
                                    ASSERT_TRUE(QFile::remove(path));
                                    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600),
                                              0);
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileMetricsRun, EmptyTreeKeepsTheRowsNothingTickedEmptiesThem) {
    CMainFrame& frame = Start();
    Rows(frame).InsertItem(0, "left over");
    Run(frame);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"left over"}));
    EXPECT_EQ(frame.m_pTotalsView->GetText(), "No files to analyze.");
    EXPECT_EQ(frame.m_pTotalsView->GetList()->GetColumnCount(), 5);
    EXPECT_EQ(TotalsRows(frame).GetItemCount(), 0);
    EXPECT_EQ(frame.MessageText(), "Ready");

    AddSource(frame, {Write("a.cpp", "int a;\n")}, true, {0});
    Run(frame);
    EXPECT_EQ(Rows(frame).GetItemCount(), 0);
    EXPECT_EQ(frame.m_pTotalsView->GetText(), "No files to analyze.");
}

TEST_F(FileMetricsRun, ResultsAsListShowsTheTextWhileRunning) {
    CMainFrame& frame = Start();
    frame.OnCommand(ID_RESULTS_AS_LIST);
    AddSource(frame, {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n")});
    auto* stack = frame.m_pTotalsView->findChild<QStackedLayout*>();
    ASSERT_NE(stack, nullptr);
    QWidget* during = nullptr;
    AtPump(frame, 1, [&] { during = stack->currentWidget(); });
    Run(frame);
    EXPECT_EQ(during, frame.m_pTotalsView->m_wndText);
    EXPECT_EQ(stack->currentWidget(), frame.m_pTotalsView->GetList());
}

TEST_F(FileMetricsRun, FullPathRowsAndSwitchingThemAfterwards) {
    CMainFrame& frame = Start();
    const QString a = Write("a.cpp", "int a;\n");
    AddSource(frame, {a});
    frame.OnCommand(ID_METRICS_FULL_PATH);
    Run(frame);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({a}));
    frame.OnCommand(ID_METRICS_FULL_PATH);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"a.cpp"}));
    EXPECT_FALSE(frame.IsMenuItemChecked(ID_METRICS_FULL_PATH));
    frame.OnCommand(ID_TB_METRICS_FULL_PATH);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({a}));
}

TEST_F(FileMetricsRun, DoubleClickOpensTheRowsFileOnlyInTheMetricsList) {
    CMainFrame& frame = Start();
    const QString a = Write("a.cpp", "int a;\n");
    const QString b = Write("b.cpp", "int b;\n");
    AddSource(frame, {a, b});
    Run(frame);

    CListViewEx& list = *frame.m_pListView;
    // Without a selection nothing opens.
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(m_platform.shown().empty());

    list.GetListCtrl().SelectItem(1);
    m_platform.AnswerUrl(true);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualRect(list.GetListCtrl().index(1, 0)).center());
    ASSERT_EQ(m_platform.shown().size(), 1U);
    EXPECT_EQ(m_platform.shown()[0].url, QUrl::fromLocalFile(b));

    CListViewEx& totals = *frame.m_pTotalsView->GetList();
    frame.OnCommand(ID_RESULTS_AS_LIST);
    totals.GetListCtrl().SelectItem(0);
    QTest::mouseDClick(totals.viewport(), Qt::LeftButton, {},
                       totals.visualRect(totals.GetListCtrl().index(0, 0)).center());
    EXPECT_EQ(m_platform.shown().size(), 1U);
}

// A stop request that no run saw (it came while the window was busy with a
// message box) used to stay set and stop the next run after its first file.
TEST_F(FileMetricsRun, StaleStopRequestDoesNotStopTheNextRun) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n")});
    frame.m_bStopRequest = 1;
    Run(frame);
    EXPECT_EQ(Rows(frame).GetItemCount(), 2);
    EXPECT_TRUE(frame.m_pTotalsView->GetText().startsWith("FILE METRICS"));
}

// The byte total of a large tree does not fit the progress bar's int range;
// the bar is scaled instead of wrapping to a negative range.
TEST_F(FileMetricsRun, ProgressRangeOfMoreThanTwoGibibytes) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("a.cpp", "int a;\n"), Write("b.cpp", "int b;\n")});
    m_records[0]->size = INT_MAX;
    m_records[1]->size = INT_MAX;
    int maximum = -1;
    int atFirst = -1;
    AtPump(frame, 1, [&] {
        maximum = frame.m_wndProgress->maximum();
        atFirst = frame.m_wndProgress->value();
    });
    Run(frame);
    EXPECT_EQ(maximum, INT_MAX);
    EXPECT_EQ(atFirst, INT_MAX / 2);
}

TEST_F(FileMetricsRun, HeaderClicksSortTheRunsRowsWithMarks) {
    CMainFrame& frame = Start();
    AddSource(frame, {Write("b.cpp", Lines("x;", 10)), Write("A.cpp", Lines("x;", 9)),
                      Write("c.cpp", Lines("x;", 100))});
    Run(frame);
    CListViewEx& view = *frame.m_pListView;
    QHeaderView* header = view.horizontalHeader();
    auto click = [&](int position) {
        const int x = header->sectionViewportPosition(position) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    };
    auto title = [&](int position) {
        return view.GetListCtrl().headerData(position, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    click(1);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"A.cpp", "b.cpp", "c.cpp"}));
    EXPECT_EQ(title(1), "Lines+");
    click(1);
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"c.cpp", "b.cpp", "A.cpp"}));
    EXPECT_EQ(title(1), "Lines-");
    click(0); // another column keeps the direction
    EXPECT_EQ(ItemTexts(Rows(frame)), QStringList({"c.cpp", "b.cpp", "A.cpp"}));
    EXPECT_EQ(title(0), "File name-");
    EXPECT_EQ(title(1), "Lines");
    // Each row keeps its record: the row of c.cpp points at c.cpp's record.
    EXPECT_EQ(Rows(frame).GetItemData(0), m_records[2]);
}

TEST_F(FileMetricsRun, GridlinesReachBothListsAlsoOneCreatedLater) {
    CMainFrame& frame = Start();
    frame.OnCommand(ID_METRICS_GRIDLINES);
    EXPECT_TRUE(frame.m_pListView->showGrid());
    EXPECT_TRUE(frame.m_pTotalsView->GetList()->showGrid());
    frame.OnCommand(ID_TB_METRICS_GRIDLINES);
    EXPECT_FALSE(frame.m_pListView->showGrid());
    EXPECT_FALSE(frame.m_pTotalsView->GetList()->showGrid());

    CTotalsView later;
    later.SetGridLinesWanted(true);
    later.OnInitialUpdate();
    later.SetListLayout(LayoutTotals);
    EXPECT_TRUE(later.GetList()->showGrid());
}

} // namespace
