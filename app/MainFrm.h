// CMainFrame, Orbek's main window. It owns the three panes (project tree on
// the left, metrics list top right, totals bottom right), the menu, toolbar
// and status bar, keeps the project state and receives every command. The
// window itself stays thin: the project, source, run, report, output and
// view commands are members defined in their own MainFrm*.cpp files.
#pragma once

#include <QMainWindow>
#include <QSplitter>
#include <QString>
#include <array>
#include <map>
#include <string>
#include <unordered_set>

#include "Commands.h"

class CListViewEx;
class CPlatform;
class CTotalsView;
class CTreeViewEx;
class QAction;
class QLabel;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QTreeWidgetItem;
struct mtrc_search;
namespace kestrum {
struct RunTotals;
}

// A splitter of two panes that keeps one pane's size when the splitter
// itself changes size: the other pane takes up the whole change but stays at
// least 1 pixel. Dragging the bar sets the kept size anew.
class CPaneSplitter : public QSplitter {
public:
    CPaneSplitter(Qt::Orientation orientation, int keptPane, QWidget* parent);

    void SetKeptSize(int size);
    int KeptSize() const { return m_nKeptSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Apply();

    int m_nKeptPane;
    int m_nKeptSize = 0;
};

// Which border or corner the user drags while resizing the window.
enum class SizingEdge { Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The smallest outer size the user can drag the window to.
    static constexpr int kMinTrackWidth = 450;
    static constexpr int kMinTrackHeight = 400;
    static constexpr int kRecentCount = 4;

    explicit CMainFrame(CPlatform& platform, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds panes, toolbar, status bar and progress bar, loads the settings
    // and takes the project path of the command line (empty: none). With a
    // path, shows the window and performs Open before it returns.
    bool Create(const QString& openPath);

    // Performs the command `id` as its menu item, button or key would.
    // Returns false for an id the table does not know.
    bool OnCommand(int id);

    // The QAction of a command id (menu item or toolbar button), or null.
    QAction* Action(int id) const;

    // Menu marks: the mark is the option's state.
    void CheckMenuItem(int id, bool checked);
    bool IsMenuItemChecked(int id) const;
    void CheckMenuRadioItem(int first, int last, int id);

    // Sets the toolbar buttons' pressed states from the flags.
    void UpdateCommandUI();

    void LoadSettings();
    void SaveSettings();

    // The text of the status bar's message pane; "Ready" after each command.
    void SetMessageText(const QString& text);
    QString MessageText() const;

    // Corrects a proposed outer rectangle while `edge` is dragged so that the
    // window is at least kMinTrackWidth x kMinTrackHeight; the edge opposite
    // the dragged one stays where it is.
    static void OnSizing(SizingEdge edge, QRect& rect);

    // The full path of the help page.
    static QString HelpFilePath();

    CPlatform& Platform() { return m_platform; }

    // --- Command handlers (by the file that defines them) ---

    // MainFrm.cpp: the shell.
    void OnLangC();
    void OnLangCpp();
    void OnLangVb();
    void OnLangByExt();
    void OnAlwaysOnTop();
    void OnAppExit();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnWindowSplit();
    void OnHelpTopics();
    void OnAppAbout();

    // MainFrmProject.cpp: the project file and the recent projects.
    void OnProjectNew();
    void OnProjectOpen();
    void OnProjectSave();
    void OnProjectSaveAs();
    void OnRecent1() { OnRecentProject(0); }
    void OnRecent2() { OnRecentProject(1); }
    void OnRecent3() { OnRecentProject(2); }
    void OnRecent4() { OnRecentProject(3); }
    void OnRecentProject(int index);
    void PromptSave();
    void LoadRecentList();
    void UpdateRecentMenu();
    void AddToRecent(const QString& path);
    // Save's writer: false, after telling the user, when the file could not be written.
    bool SaveProject();

    // MainFrmSources.cpp: turning sources into files.
    void OnAddFiles();
    void OnRemoveFiles();
    void OnEditProperties();
    void OnRefreshFiles();
    // Runs the search of one source and hangs its files under the source's
    // item, a new one when `item` is null; sets m_hCurrentSource.
    void SearchAndFill(mtrc_search* search, QTreeWidgetItem* item);
    // A search record keeping copies of the two texts, or null.
    static mtrc_search* NewSearch(const QByteArray& path, const QByteArray& exts, int subdirs);
    // Drops the metrics list rows that refer to records about to be released.
    void ForgetRecords(const std::unordered_set<const void*>& records);

    // MainFrmRun.cpp: the file metrics run.
    void OnFileMetrics();
    // While a run is active every command but File metrics is disabled.
    void EnableCommandsForRun(bool running);
    static bool IsFileMetricsCommand(int id);

    // MainFrmReports.cpp: function and class reports of one file.
    void OnFunctionMetrics();
    void OnClassMetrics();

    // MainFrmOutput.cpp: the text output.
    void OnOutputTextFile();

    // MainFrmViews.cpp: options of the tree, the list and the totals pane,
    // the column chooser and the extension definitions.
    void OnPrjAutoSort();
    void OnPrjShowFullPath();
    void OnPrjShowPath();
    void OnPrjShowFileName();
    void OnMetricsFullPath();
    void OnMetricsGridlines();
    void OnMetricsColumns();
    void OnResultsAsList();
    void OnDefineExts();

    // --- State (public so that the command files and tests reach it) ---

    CPaneSplitter* m_wndSplitter = nullptr;      // outer: tree | right column
    CPaneSplitter* m_wndSplitterRight = nullptr; // right column: list over totals
    CListViewEx* m_pListView = nullptr;          // top right: the metrics list
    CTreeViewEx* m_pTreeView = nullptr;          // left: the project tree
    CTotalsView* m_pTotalsView = nullptr;        // bottom right: totals and messages
    QTreeWidgetItem* m_hCurrentSource = nullptr; // source item of the last search
    QString m_strProjectPath;                    // empty: untitled project
    int m_nLanguage = 0;                         // 0 C++, 1 C, 2 Visual Basic, 3 by file extension
    int m_nLastHeight = 0;                       // outer window height at the last size change
    std::array<std::string*, 3> m_pLangExts{};   // extension arrays of the by-extension mode
    std::array<int, 3> m_nLangExtCount{};
    int m_nDefaultLanguage = 0;
    int m_bAutoSort = 0;
    int m_nShowType = 2; // 0 full path, 1 path, 2 file name
    int m_bTopMost = 0;
    int m_bAnalyzing = 0;
    int m_bFullPath = 0;
    int m_bGridLines = 0;
    int m_bResultsAsList = 0;
    QProgressBar* m_wndProgress = nullptr;
    std::array<QString, kRecentCount> m_strRecent;
    std::array<int, kRecentCount> m_bRecentShown{};
    int m_bRecentSeparator = 0;
    int m_bModified = 0;
    int m_bRunning = 0;
    int m_bStopRequest = 0;
    int m_nPumpIntervalMs = 40;    // the run lets window events through this often; 0: every file
    bool m_bCloseAfterRun = false; // the window was closed during a run: close once it stopped
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QString m_strOpenPath; // for Open: empty means ask with a dialog

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateClient();
    void CreateActions();
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateMinimumSize();
    void ApplyPendingRect();
    void SetLanguage(int language, int id);
    void SetTopMost(bool on);
    bool HandleSplitKey(QKeyEvent* key);
    void OnActionTriggered(QAction* action);

    // MainFrmRun.cpp: the ends of a run and its by-extension tables.
    void LoadLanguageTables();
    void StopRun();
    void AbortRun(const QString& text);
    void WriteFileMetricsReport(int fileCount, const kestrum::RunTotals& totals);
    void LeaveRun();

    CPlatform& m_platform;
    std::map<int, QAction*> m_actions; // every command id's action
    QLabel* m_wndMessage = nullptr;    // the status bar's message pane
    QRect m_rcPending;                 // stored outer rectangle, applied once the frame is known
    bool m_bSplitTracking = false;     // Split: the arrow keys move the splitter bars
};
