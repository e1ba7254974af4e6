// The main window: start-up on empty and odd settings, the settings it
// stores at exit, the menu and toolbar against the documented layout, the
// size rules, Always On Top, closing, Help and the about box.
#include "ListViewEx.h"
#include "MainFrm.h"
#include "Orbek.h"
#include "ProfileSection.h"
#include "Resource.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

namespace {

class MainFrame : public SettingsTest {
protected:
    // Starts the program as main() does, with the scripted platform.
    CMainFrame& Start(const QStringList& arguments = {}) {
        m_app = std::make_unique<COrbekApp>(m_platform);
        EXPECT_TRUE(m_app->InitInstance(arguments));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->MainFrame()));
        return *m_app->MainFrame();
    }

    void TearDown() override { m_app.reset(); }

    CScriptedPlatform m_platform;
    std::unique_ptr<COrbekApp> m_app;
};

const int kOptionIds[] = {ID_ALWAYS_ON_TOP, ID_PRJ_AUTO_SORT, ID_METRICS_FULL_PATH,
                          ID_METRICS_GRIDLINES, ID_RESULTS_AS_LIST};

// The menu as a list of lines "Popup/Sub/item text=id" and "Popup/-".
QStringList MenuLines(QMenuBar* bar) {
    QStringList lines;
    std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& path) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                lines << path + QStringLiteral("/-");
            } else if (action->menu() != nullptr) {
                walk(action->menu(), path + QLatin1Char('/') + action->text());
            } else {
                lines << path + QLatin1Char('/') + action->text() + QLatin1Char('=') +
                             QString::number(action->data().toInt());
            }
        }
    };
    for (QAction* top : bar->actions()) {
        walk(top->menu(), top->text());
    }
    return lines;
}

} // namespace

TEST_F(MainFrame, FirstStartOnEmptySettings) {
    CMainFrame& frame = Start();
    QTRY_COMPARE(frame.frameGeometry(), QRect(0, 0, 450, 450));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled - Kestrum"));
    EXPECT_FALSE(frame.isMaximized());
    EXPECT_EQ(frame.m_nLanguage, 0);
    EXPECT_EQ(frame.m_nShowType, 0);
    for (int id = kLanguageFirst; id <= kLanguageLast; ++id) {
        EXPECT_EQ(frame.IsMenuItemChecked(id), id == ID_LANG_CPP) << id;
    }
    for (int id = kShowTypeFirst; id <= kShowTypeLast; ++id) {
        EXPECT_EQ(frame.IsMenuItemChecked(id), id == ID_PRJ_SHOW_FULL_PATH) << id;
    }
    for (int id : kOptionIds) {
        EXPECT_FALSE(frame.IsMenuItemChecked(id)) << id;
    }
    for (int id : {ID_TB_ALWAYS_ON_TOP, ID_TB_FILE_METRICS, ID_TB_METRICS_FULL_PATH,
                   ID_TB_METRICS_GRIDLINES, ID_TB_RESULTS_AS_LIST}) {
        EXPECT_FALSE(frame.IsMenuItemChecked(id)) << id;
    }
    const QStringList project =
        MenuLines(frame.menuBar()).filter(QRegularExpression("^&Project/[^/]*$"));
    ASSERT_GE(project.size(), 2);
    EXPECT_EQ(project[project.size() - 2], QStringLiteral("&Project/-"));
    EXPECT_EQ(project.last(), QStringLiteral("&Project/E&xit\tAlt+X=32775"));
    EXPECT_EQ(frame.MessageText(), QStringLiteral("Ready"));
    EXPECT_TRUE(frame.m_strOpenPath.isEmpty());

    // The panes, each a named class in its place, and the hidden progress bar.
    EXPECT_EQ(frame.m_wndSplitter->widget(0), static_cast<QWidget*>(frame.m_pTreeView));
    EXPECT_EQ(frame.m_wndSplitterRight->widget(0), static_cast<QWidget*>(frame.m_pListView));
    EXPECT_EQ(frame.m_wndSplitterRight->widget(1), static_cast<QWidget*>(frame.m_pTotalsView));
    EXPECT_EQ(frame.m_wndSplitter->sizes().value(0), 180);
    EXPECT_EQ(frame.m_wndSplitterRight->sizes().value(1), 100);
    ASSERT_NE(frame.m_wndProgress, nullptr);
    EXPECT_EQ(frame.m_wndProgress->parent(), frame.m_wndStatusBar);
    EXPECT_FALSE(frame.m_wndProgress->isVisible());
    EXPECT_EQ(frame.m_wndProgress->value(), 70);
    EXPECT_EQ(frame.m_wndProgress->maximum(), 100);
}

TEST_F(MainFrame, OutOfRangeStoredModesFallBackAndAreWrittenBack) {
    struct Case {
        int language, showType;
        int languageId, showTypeId;
        int storedLanguage, storedShowType;
    };
    for (const Case& c : {Case{7, 5, ID_LANG_CPP, ID_PRJ_SHOW_FULL_PATH, 0, 0},
                          Case{-1, -3, ID_LANG_CPP, ID_PRJ_SHOW_FULL_PATH, 0, 0},
                          Case{3, 2, ID_LANG_BY_EXT, ID_PRJ_SHOW_FILE_NAME, 3, 2},
                          Case{1, 1, ID_LANG_C, ID_PRJ_SHOW_PATH, 1, 1},
                          Case{2, 0, ID_LANG_VB, ID_PRJ_SHOW_FULL_PATH, 2, 0}}) {
        SCOPED_TRACE(testing::Message() << "language " << c.language << " show " << c.showType);
        Store("CurrLanguage", c.language);
        Store("PrjShowType", c.showType);
        CMainFrame frame(m_platform);
        frame.Create(QString());
        for (int id = kLanguageFirst; id <= kLanguageLast; ++id) {
            EXPECT_EQ(frame.IsMenuItemChecked(id), id == c.languageId) << id;
        }
        for (int id = kShowTypeFirst; id <= kShowTypeLast; ++id) {
            EXPECT_EQ(frame.IsMenuItemChecked(id), id == c.showTypeId) << id;
        }
        frame.SaveSettings();
        EXPECT_EQ(Stored("CurrLanguage").toInt(), c.storedLanguage);
        EXPECT_EQ(Stored("PrjShowType").toInt(), c.storedShowType);
    }
}

TEST_F(MainFrame, OptionsStoredAsAnyNonZeroValueAreOnAndWrittenAsEight) {
    Store("AlwaysOnTop", 1);
    Store("PrjAutoSort", -5);
    Store("ShowFullPath", 1);
    Store("ShowGridLines", 8);
    Store("ResultsAsList", 1);
    CMainFrame& frame = Start();
    for (int id : kOptionIds) {
        EXPECT_TRUE(frame.IsMenuItemChecked(id)) << id;
    }
    EXPECT_TRUE(frame.m_bTopMost && frame.m_bAutoSort && frame.m_bFullPath && frame.m_bGridLines &&
                frame.m_bResultsAsList);
    for (int id : {ID_TB_ALWAYS_ON_TOP, ID_TB_METRICS_FULL_PATH, ID_TB_METRICS_GRIDLINES,
                   ID_TB_RESULTS_AS_LIST}) {
        EXPECT_TRUE(frame.IsMenuItemChecked(id)) << id;
    }
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frame.m_pTotalsView->m_bAsList);

    frame.OnCommand(ID_PRJ_AUTO_SORT); // one option turned off again
    frame.close();
    for (const char* name : {"AlwaysOnTop", "ShowFullPath", "ShowGridLines", "ResultsAsList"}) {
        EXPECT_EQ(Stored(name).toInt(), 8) << name;
    }
    EXPECT_EQ(Stored("PrjAutoSort").toInt(), 0);
}

TEST_F(MainFrame, ExitInNormalStateWritesAllFiveWindowValues) {
    CMainFrame& frame = Start();
    frame.setGeometry(QRect(40, 30, 620, 480).marginsRemoved(frame.windowHandle()->frameMargins()));
    ASSERT_EQ(frame.frameGeometry(), QRect(40, 30, 620, 480));
    frame.OnCommand(ID_APP_EXIT);
    EXPECT_EQ(Stored("WndPosLeft").toInt(), 40);
    EXPECT_EQ(Stored("WndPosTop").toInt(), 30);
    EXPECT_EQ(Stored("WndPosRight").toInt(), 660);
    EXPECT_EQ(Stored("WndPosBottom").toInt(), 510);
    EXPECT_EQ(Stored("WndPosMaximized").toInt(), 0);
    EXPECT_EQ(Stored("Rec0").toString(), QString());
    EXPECT_TRUE(TestStore().contains(QStringLiteral("Settings/Rec3")));
    // Exit posts the close; the window goes once the event arrives.
    QTRY_VERIFY(!frame.isVisible());

    // The next start puts the outer rectangle back unchanged: the window
    // must not grow by its frame at every start.
    m_app.reset();
    CMainFrame& again = Start();
    QTRY_COMPARE(again.frameGeometry(), QRect(40, 30, 620, 480));
}

TEST_F(MainFrame, ExitWhileMaximizedKeepsTheNormalRectangleForTheNextStart) {
    Store("WndPosLeft", 40);
    Store("WndPosTop", 30);
    Store("WndPosRight", 660);
    Store("WndPosBottom", 510);
    CMainFrame& frame = Start();
    frame.showMaximized();
    QTRY_VERIFY(frame.isMaximized());
    frame.OnCommand(ID_APP_EXIT);
    EXPECT_EQ(Stored("WndPosMaximized").toInt(), 1);
    EXPECT_EQ(Stored("WndPosLeft").toInt(), 40);
    EXPECT_EQ(Stored("WndPosRight").toInt(), 660);
    EXPECT_EQ(Stored("WndPosBottom").toInt(), 510);
    QTRY_VERIFY(!frame.isVisible());

    // The next start shows the window maximized again.
    m_app.reset();
    CMainFrame& again = Start();
    EXPECT_TRUE(again.isMaximized());
}

TEST_F(MainFrame, DegenerateStoredRectangleStillGivesAUsableWindow) {
    // Right of left and above top: a hand-edited or damaged settings file.
    Store("WndPosLeft", 300);
    Store("WndPosRight", 100);
    Store("WndPosTop", 50);
    Store("WndPosBottom", 50);
    CMainFrame& frame = Start();
    EXPECT_GE(frame.frameGeometry().width(), CMainFrame::kMinTrackWidth);
    EXPECT_GE(frame.frameGeometry().height(), CMainFrame::kMinTrackHeight);
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(MainFrame, MenuItemsTextsAndIdsAsDocumented) {
    CMainFrame frame(m_platform);
    frame.Create(QString());
    const QStringList expected = {
        "&Project/&New\tCtrl+N=32772",
        "&Project/&Open...\tCtrl+O=32773",
        "&Project/&Save\tCtrl+S=32793",
        "&Project/Save &As...=32795",
        "&Project/-",
        "&Project/A&dd files...=32774",
        "&Project/&Remove files=32785",
        "&Project/&Edit properties...=32805",
        "&Project/R&efresh files=32821",
        "&Project/-",
        "&Project/E&xit\tAlt+X=32775",
        "&Metrics/File &metrics\tAlt+M=32781",
        "&Metrics/F&unction metrics\tAlt+F=32826",
        "&Metrics/&Class metrics=32828",
        "&Language/&C=32788",
        "&Language/C&++=32787",
        "&Language/&Visual Basic=32789",
        "&Language/&By file extension=32790",
        "&Language/-",
        "&Language/&Define extensions...=32792",
        "&View/&Project/&Auto sort files=32798",
        "&View/&Project/-",
        "&View/&Project/Show &full path=32799",
        "&View/&Project/Show &path=32800",
        "&View/&Project/Show &file name=32801",
        "&View/&Metrics/&Show full path=32802",
        "&View/&Metrics/&Gridlines=32830",
        "&View/&Metrics/&Columns...=32784",
        "&View/&Results/As list=32840",
        "&View/&Output/&Text file...=32803",
        "&View/-",
        "&View/&Toolbar=59392",
        "&View/&Status Bar=59393",
        "&View/S&plit=57653",
        "&View/-",
        "&View/&Always On Top=32786",
        "&Help/&Help Topics...=57666",
        "&Help/&About...=57664",
    };
    EXPECT_EQ(MenuLines(frame.menuBar()), expected);
    for (const char* name :
         {"menuProject", "menuMetrics", "menuLanguage", "menuView", "menuViewProject",
          "menuViewMetrics", "menuViewResults", "menuViewOutput", "menuHelp"}) {
        EXPECT_EQ(frame.findChildren<QMenu*>(QLatin1String(name)).size(), 1) << name;
    }
}

TEST_F(MainFrame, ToolbarButtonsInOrderWithTheirStatusTexts) {
    CMainFrame& frame = Start();
    QList<int> ids;
    for (QAction* action : frame.m_wndToolBar->actions()) {
        ids << (action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
    const QList<int> expected = {32778, 32777, 32794, 32780, 32783, 32806, 32823, 0, 32782,
                                 32827, 0,     32825, 32833, 32824, 32841, 32796, 0, 57664};
    EXPECT_EQ(ids, expected);
    EXPECT_TRUE(frame.Action(32782)->isCheckable());
    EXPECT_TRUE(frame.Action(32796)->isCheckable());

    struct Case {
        int id;
        const char* status;
    };
    for (const Case& c :
         {Case{32772, "Create new project"}, Case{32777, "Open project file [*.qvd]"},
          Case{32774, "Add source files from directory or DSF file to project"},
          Case{32780, "Add source from directory or DSF file to project"},
          Case{32785, "Remove source files directory or DSF file from project"},
          Case{32783, "Remove source directory or DSF file from project"},
          Case{32830, "Show gridlines"}, Case{32833, "Show/Hide gridlines"},
          Case{32837, "Analyze project source files, file metrics"}, Case{32836, "Class metrics"},
          Case{32790, "Code treatment depends on file extension"},
          Case{32792, "Define extensions for files analyze..."},
          Case{32786, "Stay always on the top"}, Case{57666, "Help topics..."}}) {
        ASSERT_NE(frame.Action(c.id), nullptr) << c.id;
        EXPECT_EQ(frame.Action(c.id)->statusTip(), QLatin1String(c.status)) << c.id;
    }

    // Only About shows a tool tip; the other buttons show their status text only.
    for (int id : {ID_TB_PROJECT_NEW, ID_APP_ABOUT}) {
        QWidget* button = frame.m_wndToolBar->widgetForAction(frame.Action(id));
        ASSERT_NE(button, nullptr);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QToolTip::hideText();
        QCoreApplication::sendEvent(button, &help);
        EXPECT_EQ(QToolTip::text(), id == ID_APP_ABOUT ? QStringLiteral("About") : QString()) << id;
    }
    QToolTip::hideText();

    // Pointing at a command shows its status text; afterwards "Ready" again.
    QStatusTipEvent tip(frame.Action(32823)->statusTip());
    QCoreApplication::sendEvent(&frame, &tip);
    EXPECT_EQ(frame.MessageText(), QStringLiteral("Refresh search"));
    QStatusTipEvent none((QString()));
    QCoreApplication::sendEvent(&frame, &none);
    EXPECT_EQ(frame.MessageText(), QStringLiteral("Ready"));
}

TEST_F(MainFrame, EveryCommandIdDispatchesAndUnknownIdsDoNot) {
    CMainFrame& frame = Start();
    for (const CommandDef& def : AllCommands()) {
        switch (def.id) {
        case ID_APP_EXIT: // closes the window; tested on its own
        case ID_APP_ABOUT:
        case ID_HELP_TOPICS:
        case ID_WINDOW_SPLIT: continue;
        // Commands that open a dialog: the user cancels it.
        case ID_DEFINE_EXTS:
        case ID_METRICS_COLUMNS:
        case ID_TB_METRICS_COLUMNS:
            m_platform.AnswerDialog([](CDialog&) { return IDCANCEL; });
            break;
        case ID_OUTPUT_TEXT_FILE: m_platform.AnswerSaveFile(QString()); break;
        // The project commands: the user cancels their dialogs.
        case ID_PROJECT_OPEN:
        case ID_TB_PROJECT_OPEN: m_platform.AnswerOpenFile(QString()); break;
        case ID_PROJECT_SAVE: // an untitled project is saved under a name asked for
        case ID_TB_PROJECT_SAVE:
        case ID_PROJECT_SAVE_AS: m_platform.AnswerSaveFile(QString()); break;
        case ID_ADD_FILES:
        case ID_TB_ADD_FILES: m_platform.AnswerDialog([](CDialog&) { return IDCANCEL; }); break;
        default: break;
        }
        EXPECT_TRUE(frame.OnCommand(def.id)) << def.id;
        EXPECT_EQ(frame.MessageText(), QStringLiteral("Ready")) << def.id;
    }
    EXPECT_FALSE(frame.OnCommand(12345));
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(MainFrame, LanguageRadioMarksFromMenuAndShortcutKeys) {
    CMainFrame& frame = Start();
    struct Case {
        int id;
        int language;
    };
    for (const Case& c : {Case{ID_LANG_C, 1}, Case{ID_LANG_VB, 2}, Case{ID_LANG_BY_EXT, 3},
                          Case{ID_LANG_BY_EXT, 3}, Case{ID_LANG_CPP, 0}}) {
        // As a click on the menu item does, including choosing the checked one again.
        frame.Action(c.id)->trigger();
        EXPECT_EQ(frame.m_nLanguage, c.language);
        for (int id = kLanguageFirst; id <= kLanguageLast; ++id) {
            EXPECT_EQ(frame.IsMenuItemChecked(id), id == c.id) << c.id << " " << id;
        }
    }
    // A toolbar check button pressed by the user shows the flag, not Qt's own toggle.
    frame.Action(ID_TB_ALWAYS_ON_TOP)->trigger();
    EXPECT_TRUE(frame.IsMenuItemChecked(ID_TB_ALWAYS_ON_TOP));
    EXPECT_TRUE(frame.IsMenuItemChecked(ID_ALWAYS_ON_TOP));
    frame.Action(ID_TB_ALWAYS_ON_TOP)->trigger();
    EXPECT_FALSE(frame.IsMenuItemChecked(ID_TB_ALWAYS_ON_TOP));

    // Alt+X is Exit, also while the focus is in a pane.
    frame.m_pTreeView->setFocus();
    QTest::keyClick(frame.m_pTreeView, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!frame.isVisible());
    EXPECT_TRUE(TestStore().contains(QStringLiteral("Settings/WndPosMaximized")));
}

TEST_F(MainFrame, AltMIsFileMetricsNotTheMetricsMenu) {
    CMainFrame& frame = Start();
    QMenu* metrics = frame.menuBar()->findChild<QMenu*>(QStringLiteral("menuMetrics"));
    ASSERT_NE(metrics, nullptr);
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_M, Qt::AltModifier);
    QCoreApplication::sendEvent(&frame, &override);
    EXPECT_TRUE(override.isAccepted()); // no menu access key gets it
    QTest::keyClick(&frame, Qt::Key_M, Qt::AltModifier);
    EXPECT_FALSE(metrics->isVisible());
}

TEST_F(MainFrame, DraggedEdgeStopsAtTheMinimumSize) {
    // A 300 x 300 rectangle proposed while each edge is dragged.
    struct Case {
        SizingEdge edge;
        QRect expected;
    };
    const QRect proposed(100, 200, 300, 300);
    for (const Case& c : {
             Case{SizingEdge::Right, QRect(100, 100, 450, 400)},
             Case{SizingEdge::Left, QRect(-50, 100, 450, 400)},
             Case{SizingEdge::Bottom, QRect(-50, 200, 450, 400)},
             Case{SizingEdge::Top, QRect(-50, 100, 450, 400)},
             Case{SizingEdge::TopLeft, QRect(-50, 100, 450, 400)},
             Case{SizingEdge::TopRight, QRect(100, 100, 450, 400)},
             Case{SizingEdge::BottomLeft, QRect(-50, 200, 450, 400)},
             Case{SizingEdge::BottomRight, QRect(100, 200, 450, 400)},
         }) {
        QRect rect = proposed;
        CMainFrame::OnSizing(c.edge, rect);
        EXPECT_EQ(rect, c.expected) << static_cast<int>(c.edge);
    }
    QRect big(0, 0, 800, 600);
    CMainFrame::OnSizing(SizingEdge::Left, big);
    EXPECT_EQ(big, QRect(0, 0, 800, 600));

    // The window itself refuses to become smaller.
    CMainFrame& frame = Start();
    frame.resize(300, 300);
    QTRY_COMPARE(frame.frameGeometry().size(), QSize(450, 400));
    EXPECT_EQ(frame.minimumSize() + (frame.frameGeometry().size() - frame.size()), QSize(450, 400));
}

TEST_F(MainFrame, ListPaneTakesUpHeightChangesAndTotalsKeepTheirs) {
    Store("WndPosRight", 700);
    Store("WndPosBottom", 500);
    CMainFrame& frame = Start();
    const QList<int> before = frame.m_wndSplitterRight->sizes();
    ASSERT_EQ(before.size(), 2);
    EXPECT_EQ(before[1], 100);

    frame.resize(frame.width(), frame.height() + 100);
    QTRY_COMPARE(frame.m_wndSplitterRight->sizes().value(0), before[0] + 100);
    EXPECT_EQ(frame.m_wndSplitterRight->sizes().value(1), 100);

    // Split: the arrow keys move the bar; the totals pane keeps the new height.
    frame.OnCommand(ID_WINDOW_SPLIT);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(&frame, Qt::Key_Up);
    }
    QTest::keyClick(&frame, Qt::Key_Return);
    const int totals = frame.m_wndSplitterRight->sizes().value(1);
    EXPECT_EQ(totals, 140);
    frame.resize(frame.width(), frame.height() - 60);
    QTRY_COMPARE(frame.m_wndSplitterRight->sizes().value(1), totals);

    // Much smaller: the list keeps at least a sliver, nothing breaks.
    frame.resize(frame.width(), 0);
    QTest::qWait(20);
    EXPECT_GE(frame.m_wndSplitterRight->sizes().value(0), 1);

    // Minimizing and restoring leaves the panes as they were.
    frame.resize(frame.width(), 600);
    QTest::qWait(20);
    const QList<int> normal = frame.m_wndSplitterRight->sizes();
    frame.showMinimized();
    QTest::qWait(20);
    frame.showNormal();
    QTest::qWait(20);
    EXPECT_EQ(frame.m_wndSplitterRight->sizes(), normal);
}

TEST_F(MainFrame, ToolbarAndStatusBarCommandsHideAndShowWithTheirMarks) {
    CMainFrame& frame = Start();
    struct Case {
        int id;
        QWidget* bar;
    };
    for (const Case& c : {Case{ID_VIEW_TOOLBAR, frame.m_wndToolBar},
                          Case{ID_VIEW_STATUS_BAR, frame.m_wndStatusBar}}) {
        EXPECT_TRUE(frame.IsMenuItemChecked(c.id)) << c.id;
        frame.OnCommand(c.id);
        EXPECT_FALSE(c.bar->isVisible()) << c.id;
        EXPECT_FALSE(frame.IsMenuItemChecked(c.id)) << c.id;
        frame.Action(c.id)->trigger();
        EXPECT_TRUE(c.bar->isVisible()) << c.id;
        EXPECT_TRUE(frame.IsMenuItemChecked(c.id)) << c.id;
    }
    // Closing the window does not turn the marks off.
    frame.close();
    EXPECT_TRUE(frame.IsMenuItemChecked(ID_VIEW_TOOLBAR));
}

TEST_F(MainFrame, AlwaysOnTopTwiceReturnsToNormal) {
    CMainFrame& frame = Start();
    const QRect place = frame.frameGeometry();
    frame.OnCommand(ID_ALWAYS_ON_TOP);
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frame.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frame.IsMenuItemChecked(ID_ALWAYS_ON_TOP));
    EXPECT_TRUE(frame.IsMenuItemChecked(ID_TB_ALWAYS_ON_TOP));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.frameGeometry(), place);

    frame.OnCommand(ID_TB_ALWAYS_ON_TOP);
    EXPECT_FALSE(frame.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(frame.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(frame.IsMenuItemChecked(ID_ALWAYS_ON_TOP));
    EXPECT_FALSE(frame.IsMenuItemChecked(ID_TB_ALWAYS_ON_TOP));
    EXPECT_EQ(frame.m_bTopMost, 0);
    EXPECT_EQ(frame.frameGeometry(), place);
}

TEST_F(MainFrame, CloseBoxOnAModifiedProjectAsksOnceAndStoresSettings) {
    CMainFrame& frame = Start();
    frame.OnCommand(ID_LANG_VB);
    frame.m_bModified = 1;
    m_platform.AnswerMessage(IDNO);
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(m_platform.shown().back().text, QStringLiteral("Save your changes to Untitled ?"));
    EXPECT_EQ(frame.m_bModified, 0);
    EXPECT_EQ(Stored("CurrLanguage").toInt(), 2);
    EXPECT_EQ(Stored("WndPosMaximized").toInt(), 0);
}

TEST_F(MainFrame, ExitOnAModifiedProjectClearsTheFlagBeforeTheWindowCloses) {
    CMainFrame& frame = Start();
    frame.m_bModified = 1;
    m_platform.AnswerMessage(IDNO);
    frame.OnCommand(ID_APP_EXIT);
    EXPECT_EQ(frame.m_bModified, 0); // so closing does not ask again
    EXPECT_TRUE(TestStore().contains(QStringLiteral("Settings/CurrLanguage")));
    QTRY_VERIFY(!frame.isVisible());
}

TEST_F(MainFrame, CommandLinePathIsOpenedWithTheWindowShown) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("my project.qvd"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // The shell splits a path with a blank into two arguments.
    const qsizetype blank = path.indexOf(QLatin1Char(' '));
    CMainFrame& frame = Start({path.left(blank), path.mid(blank + 1)});
    EXPECT_TRUE(frame.m_strOpenPath.isEmpty());
    EXPECT_EQ(frame.m_strProjectPath, path);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("my project.qvd - Kestrum"));
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(MainFrame, HelpTopicsOpensThePageOrShowsTheErrorWithItsPath) {
    CMainFrame& frame = Start();
    const QString path = CMainFrame::HelpFilePath();
    ASSERT_TRUE(QFileInfo(path).isFile()) << path.toStdString();

    m_platform.AnswerUrl(true);
    frame.OnCommand(ID_HELP_TOPICS);
    ASSERT_EQ(m_platform.shown().size(), 1u);
    EXPECT_EQ(m_platform.shown()[0].url, QUrl::fromLocalFile(path));

    m_platform.AnswerUrl(false);
    m_platform.AnswerMessage(IDOK);
    frame.OnCommand(ID_HELP_TOPICS);
    ASSERT_EQ(m_platform.shown().size(), 3u);
    const CScriptedPlatform::Shown& message = m_platform.shown()[2];
    EXPECT_EQ(message.kind, CScriptedPlatform::Kind::Message);
    EXPECT_EQ(message.text, QStringLiteral("Error opening Kestrum help file: ") + path);
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(QDir::isAbsolutePath(path));
}

TEST_F(MainFrame, AboutBoxClosesOnlyWithOk) {
    CMainFrame& frame = Start();
    m_platform.AnswerDialog([this](CDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("aboutDialog"));
        auto* about = dynamic_cast<CAboutDlg*>(&dialog);
        EXPECT_NE(about, nullptr);
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text(),
                  QStringLiteral("Kestrum version 1.01"));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("aboutWww"))->text(),
                  QStringLiteral("WWW: " KESTRUM_WEB_URL));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("aboutMail"))->text(),
                  QStringLiteral("E-MAIL: " KESTRUM_SUPPORT_MAIL));

        dialog.show();
        // Every text fits its control.
        for (QWidget* control : dialog.findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(control) != nullptr ||
                qobject_cast<QPushButton*>(control) != nullptr) {
                EXPECT_GE(control->width(), control->sizeHint().width())
                    << control->objectName().toStdString();
            }
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(about->m_bOk);

        m_platform.AnswerUrl(true);
        m_platform.AnswerUrl(true);
        dialog.findChild<QPushButton*>(QStringLiteral("aboutVisit"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("aboutWrite"))->click();
        EXPECT_TRUE(dialog.isVisible());

        dialog.findChild<QPushButton*>(QStringLiteral("aboutOk"))->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(about->m_bOk);
        return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    frame.OnCommand(ID_APP_ABOUT);
    ASSERT_EQ(m_platform.shown().size(), 3u);
    EXPECT_EQ(m_platform.shown()[1].url, QUrl(QStringLiteral(KESTRUM_WEB_URL)));
    EXPECT_EQ(m_platform.shown()[2].url, QUrl(QStringLiteral("mailto:" KESTRUM_SUPPORT_MAIL)));
}
