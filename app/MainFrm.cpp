#include "MainFrm.h"

#include "ListViewEx.h"
#include "Orbek.h"
#include "Platform.h"
#include "ProfileSection.h"
#include "Resource.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

#include "tarnel.h"

namespace {

// Pane sizes: the tree column is 180 wide, the list 200 and the totals 100
// high at first; no pane can be dragged below 50.
constexpr int kTreeWidth = 180;
constexpr int kListHeight = 200;
constexpr int kTotalsHeight = 100;
constexpr int kPaneMinimum = 50;

// How far one arrow key moves a splitter bar while Split is active.
constexpr int kSplitStep = 8;

const QString kReady = QStringLiteral("Ready");

// The command whose accelerator the key event is, or null.
const CommandDef* AcceleratorFor(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() &
        (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier);
    if (modifiers == Qt::NoModifier) {
        return nullptr;
    }
    const QKeyCombination pressed(modifiers, Qt::Key(key->key()));
    for (const CommandDef& def : AllCommands()) {
        if (def.key != nullptr && QKeySequence(QString::fromLatin1(def.key))[0] == pressed) {
            return &def;
        }
    }
    return nullptr;
}

int OptionValue(bool on) {
    return on ? kOptionOn : kOptionOff;
}

} // namespace

CMainFrame::CMainFrame(CPlatform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform) {
    InitOrbekResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orbek.svg")));
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The extension arrays of the by-extension mode come from the library.
    for (std::string*& exts : m_pLangExts) {
        mtrc_file_ReleaseExts(exts);
        exts = nullptr;
    }
}

bool CMainFrame::Create(const QString& openPath) {
    CreateClient();
    CreateActions();
    CreateMenu();
    // The recent items go into the Project menu, so it has to exist.
    LoadRecentList();
    CreateToolBar();
    CreateStatusBar();
    UpdateMinimumSize();
    qApp->installEventFilter(this);

    LoadSettings();
    m_nLastHeight = frameGeometry().height();

    // A project named on the command line is opened before start-up ends,
    // with the window already on the screen.
    m_strOpenPath = openPath;
    if (!m_strOpenPath.isEmpty()) {
        m_pTotalsView->OnInitialUpdate();
        show();
        OnCommand(ID_PROJECT_OPEN);
    }
    return true;
}

CPaneSplitter::CPaneSplitter(Qt::Orientation orientation, int keptPane, QWidget* parent)
    : QSplitter(orientation, parent), m_nKeptPane(keptPane) {
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this,
            [this] { m_nKeptSize = sizes().value(m_nKeptPane); });
}

void CPaneSplitter::SetKeptSize(int size) {
    m_nKeptSize = size;
    Apply();
}

void CPaneSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    Apply();
}

void CPaneSplitter::Apply() {
    QList<int> panes = sizes();
    if (panes.size() != 2) {
        return;
    }
    const int available = panes[0] + panes[1];
    if (available <= 0) {
        return; // not laid out yet
    }
    const int other = 1 - m_nKeptPane;
    panes[other] = std::max(1, available - m_nKeptSize);
    panes[m_nKeptPane] = std::max(0, available - panes[other]);
    if (panes != sizes()) {
        setSizes(panes);
    }
}

void CMainFrame::CreateClient() {
    // The tree column keeps its width and the totals pane its height when the
    // window changes size; the metrics list takes up the rest.
    m_wndSplitter = new CPaneSplitter(Qt::Horizontal, 0, this);
    m_wndSplitter->setObjectName(QStringLiteral("outerSplitter"));

    m_pTreeView = new CTreeViewEx(m_wndSplitter);
    m_pTreeView->setMinimumWidth(kPaneMinimum);

    m_wndSplitterRight = new CPaneSplitter(Qt::Vertical, 1, m_wndSplitter);
    m_wndSplitterRight->setObjectName(QStringLiteral("rightSplitter"));

    m_pListView = new CListViewEx(LayoutFileMetrics, m_wndSplitterRight);
    m_pListView->setObjectName(QStringLiteral("metricsList"));
    m_pListView->setMinimumHeight(kPaneMinimum);
    // A double-click on a row hands its file to the desktop's editor.
    connect(m_pListView, &CListViewEx::openFileRequested, this,
            [this](const QString& path) { m_platform.OpenUrl(QUrl::fromLocalFile(path)); });
    m_pTotalsView = new CTotalsView(m_wndSplitterRight);
    m_pTotalsView->setMinimumHeight(kPaneMinimum);

    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({kTreeWidth, kTreeWidth * 3});
    m_wndSplitter->SetKeptSize(kTreeWidth);
    m_wndSplitterRight->setStretchFactor(0, 1);
    m_wndSplitterRight->setStretchFactor(1, 0);
    m_wndSplitterRight->setSizes({kListHeight, kTotalsHeight});
    m_wndSplitterRight->SetKeptSize(kTotalsHeight);

    setCentralWidget(m_wndSplitter);
}

void CMainFrame::CreateActions() {
    QActionGroup* languages = new QActionGroup(this);
    QActionGroup* showTypes = new QActionGroup(this);
    // The handlers set the radio marks; the groups only make Qt draw them as
    // radio marks, so they allow "none checked" and never decide themselves.
    for (QActionGroup* group : {languages, showTypes}) {
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }

    for (const CommandDef& def : AllCommands()) {
        QAction* action = new QAction(this);
        action->setObjectName(QStringLiteral("command%1").arg(def.id));
        action->setData(def.id);
        if (def.menuText != nullptr) {
            action->setText(QString::fromLatin1(def.menuText));
        } else {
            action->setText(QString::fromLatin1(def.statusText));
        }
        action->setStatusTip(QString::fromLatin1(def.statusText));
        if (def.toolTip != nullptr) {
            action->setToolTip(QString::fromLatin1(def.toolTip));
        }
        if (def.icon != nullptr) {
            action->setIcon(QIcon(QString::fromLatin1(def.icon)));
        }
        action->setCheckable(def.check != CheckKind::None);
        if (def.check == CheckKind::Radio) {
            const bool language = def.id >= kLanguageFirst && def.id <= kLanguageLast;
            action->setActionGroup(language ? languages : showTypes);
        }
        // Keys are dispatched by eventFilter, so that they win over the menu
        // bar's access keys ("&Metrics" and Alt+M) as accelerators do.
        connect(action, &QAction::triggered, this, [this, action] { OnActionTriggered(action); });
        m_actions[def.id] = action;
    }
}

void CMainFrame::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    std::vector<QMenu*> open;
    for (const MenuEntry& entry : MainMenuLayout()) {
        switch (entry.kind) {
        case MenuEntry::Popup: {
            const QString title = QString::fromLatin1(entry.text);
            QMenu* menu = open.empty() ? bar->addMenu(title) : open.back()->addMenu(title);
            // "menuProject", "menuViewProject": unique names along the path.
            QString name = title;
            name.remove(QLatin1Char('&'));
            name.remove(QLatin1Char(' '));
            menu->setObjectName(
                (open.empty() ? QStringLiteral("menu") : open.back()->objectName()) + name);
            open.push_back(menu);
            break;
        }
        case MenuEntry::Item: open.back()->addAction(m_actions.at(entry.id)); break;
        case MenuEntry::Separator: open.back()->addSeparator(); break;
        case MenuEntry::RecentPlace:
            // The recent list inserts its items before the action that follows.
            break;
        case MenuEntry::EndPopup: open.pop_back(); break;
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_wndToolBar->setIconSize(QSize(20, 20));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    for (int id : ToolbarLayout()) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        m_wndToolBar->addAction(m_actions.at(id));
        if (QWidget* button = m_wndToolBar->widgetForAction(m_actions.at(id))) {
            button->setObjectName(QStringLiteral("button%1").arg(id));
        }
    }
    // The menu mark follows the toolbar also when its own context menu hides it.
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this,
            [this] { CheckMenuItem(ID_VIEW_TOOLBAR, m_wndToolBar->isVisibleTo(this)); });
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    m_wndMessage = new QLabel(kReady, m_wndStatusBar);
    m_wndMessage->setObjectName(QStringLiteral("messagePane"));
    m_wndStatusBar->addWidget(m_wndMessage, 1);

    // The progress bar sits at a fixed place on the status bar, hidden until
    // a run shows it.
    m_wndProgress = new QProgressBar(m_wndStatusBar);
    m_wndProgress->setObjectName(QStringLiteral("progressBar"));
    m_wndProgress->setGeometry(QRect(QPoint(230, 3), QPoint(424, 16)));
    m_wndProgress->setRange(0, 100);
    m_wndProgress->setValue(70);
    m_wndProgress->setTextVisible(false);
    m_wndProgress->hide();

    CheckMenuItem(ID_VIEW_TOOLBAR, true);
    CheckMenuItem(ID_VIEW_STATUS_BAR, true);
}

void CMainFrame::UpdateMinimumSize() {
    // The minimum applies to the outer rectangle; Qt's minimum is the client size.
    const QSize frame = frameGeometry().size() - geometry().size();
    setMinimumSize(kMinTrackWidth - frame.width(), kMinTrackHeight - frame.height());
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CheckMenuItem(int id, bool checked) {
    if (QAction* action = Action(id)) {
        action->setChecked(checked);
    }
}

bool CMainFrame::IsMenuItemChecked(int id) const {
    const QAction* action = Action(id);
    return action != nullptr && action->isChecked();
}

void CMainFrame::CheckMenuRadioItem(int first, int last, int id) {
    for (int other = first; other <= last; ++other) {
        CheckMenuItem(other, other == id);
    }
}

void CMainFrame::OnActionTriggered(QAction* action) {
    // Qt flips a checkable action before it reports the trigger; undo that,
    // because the handler decides the mark from the state before the command.
    if (action->isCheckable()) {
        action->setChecked(!action->isChecked());
    }
    OnCommand(action->data().toInt());
}

bool CMainFrame::OnCommand(int id) {
    const CommandDef* def = FindCommand(id);
    if (def == nullptr) {
        return false;
    }
    if (m_bRunning && !IsFileMetricsCommand(id)) {
        return true; // disabled while a run is active
    }
    (this->*def->handler)();
    UpdateCommandUI();
    if (!IsFileMetricsCommand(id)) {
        SetMessageText(kReady); // the run leaves its own status text
    }
    return true;
}

void CMainFrame::UpdateCommandUI() {
    CheckMenuItem(ID_TB_ALWAYS_ON_TOP, m_bTopMost != 0);
    CheckMenuItem(ID_TB_FILE_METRICS, m_bAnalyzing != 0);
    CheckMenuItem(ID_TB_METRICS_FULL_PATH, m_bFullPath != 0);
    CheckMenuItem(ID_TB_METRICS_GRIDLINES, m_bGridLines != 0);
    CheckMenuItem(ID_TB_RESULTS_AS_LIST, m_bResultsAsList != 0);
}

void CMainFrame::SetMessageText(const QString& text) {
    if (m_wndMessage != nullptr) {
        m_wndMessage->setText(text);
    }
}

QString CMainFrame::MessageText() const {
    // A status text shown while a command is pointed at covers the message pane.
    const QString shown = m_wndStatusBar != nullptr ? m_wndStatusBar->currentMessage() : QString();
    if (!shown.isEmpty()) {
        return shown;
    }
    return m_wndMessage != nullptr ? m_wndMessage->text() : QString();
}

// --- Settings ---

void CMainFrame::LoadSettings() {
    CProfileSection profile(kSettingsSection);

    profile.GetInt(QStringLiteral("CurrLanguage"), m_nLanguage);
    switch (m_nLanguage) {
    case 1: CheckMenuRadioItem(kLanguageFirst, kLanguageLast, ID_LANG_C); break;
    case 2: CheckMenuRadioItem(kLanguageFirst, kLanguageLast, ID_LANG_VB); break;
    case 3: CheckMenuRadioItem(kLanguageFirst, kLanguageLast, ID_LANG_BY_EXT); break;
    default:
        m_nLanguage = 0;
        CheckMenuRadioItem(kLanguageFirst, kLanguageLast, ID_LANG_CPP);
        break;
    }

    profile.GetInt(QStringLiteral("PrjShowType"), m_nShowType);
    switch (m_nShowType) {
    case 1: CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_PATH); break;
    case 2: CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FILE_NAME); break;
    default:
        m_nShowType = 0;
        CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FULL_PATH);
        break;
    }

    // Every option starts off, so performing its command once turns it on.
    int on = 0;
    profile.GetInt(QStringLiteral("AlwaysOnTop"), on);
    if (on != 0) {
        OnAlwaysOnTop();
    }
    profile.GetInt(QStringLiteral("PrjAutoSort"), on);
    if (on != 0) {
        OnPrjAutoSort();
    }
    profile.GetInt(QStringLiteral("ShowFullPath"), on);
    if (on != 0) {
        OnMetricsFullPath();
    }
    profile.GetInt(QStringLiteral("ShowGridLines"), on);
    if (on != 0) {
        OnMetricsGridlines();
    }
    profile.GetInt(QStringLiteral("ResultsAsList"), on);
    if (on != 0) {
        OnResultsAsList();
    } else {
        m_pTotalsView->SetAsList(false);
    }
    UpdateCommandUI();

    // The stored outer rectangle; the maximized flag is applied by the start-up.
    QRect rect;
    profile.LoadWindowPos(rect);
    const QSize frame = frameGeometry().size() - geometry().size();
    move(rect.topLeft());
    resize(rect.width() - frame.width(), rect.height() - frame.height());
    if (frame.isNull()) {
        m_rcPending = rect;
    }
}

void CMainFrame::SaveSettings() {
    CProfileSection profile(kSettingsSection);

    profile.SaveWindowPos(frameGeometry(), isMaximized() ? 1 : 0);

    profile.WriteInt(QStringLiteral("AlwaysOnTop"),
                     OptionValue(IsMenuItemChecked(ID_ALWAYS_ON_TOP)));
    profile.WriteInt(QStringLiteral("PrjAutoSort"),
                     OptionValue(IsMenuItemChecked(ID_PRJ_AUTO_SORT)));
    profile.WriteInt(QStringLiteral("ShowFullPath"),
                     OptionValue(IsMenuItemChecked(ID_METRICS_FULL_PATH)));
    profile.WriteInt(QStringLiteral("ShowGridLines"),
                     OptionValue(IsMenuItemChecked(ID_METRICS_GRIDLINES)));
    profile.WriteInt(QStringLiteral("ResultsAsList"),
                     OptionValue(IsMenuItemChecked(ID_RESULTS_AS_LIST)));

    profile.WriteInt(QStringLiteral("CurrLanguage"), m_nLanguage);
    profile.WriteInt(QStringLiteral("PrjShowType"), m_nShowType);

    for (int i = 0; i < kRecentCount; ++i) {
        profile.WriteString(QStringLiteral("Rec%1").arg(i), m_strRecent[i]);
    }
}

// --- Window events ---

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The close box, the window menu and Exit all end here. After Exit the
    // modified flag is already clear, so the question comes once.
    if (m_bRunning) {
        // Stop the run first; it closes the window once it has stopped.
        m_bStopRequest = 1;
        m_bCloseAfterRun = true;
        event->ignore();
        return;
    }
    if (m_bModified) {
        PromptSave();
    }
    SaveSettings();
    event->accept();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    UpdateMinimumSize();
    ApplyPendingRect();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyPendingRect();
    if (!isMinimized()) {
        // The panes follow through their splitters: the list takes up the
        // change, the totals pane keeps its height (CPaneSplitter).
        m_nLastHeight = frameGeometry().height();
    }
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    ApplyPendingRect();
}

void CMainFrame::ApplyPendingRect() {
    // The stored rectangle is the outer one, but Qt sizes the client area and
    // learns the frame's thickness only once the window is on the screen.
    // Place the window again as soon as the frame is known, so that it does
    // not grow by its frame at every start.
    if (m_rcPending.isNull() || windowHandle() == nullptr || !isVisible()) {
        return;
    }
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull() || isMaximized() || isFullScreen()) {
        return;
    }
    const QRect outer = m_rcPending;
    m_rcPending = QRect();
    setGeometry(outer.marginsRemoved(frame));
    UpdateMinimumSize();
}

void CMainFrame::OnSizing(SizingEdge edge, QRect& rect) {
    // The rectangle's right and bottom are exclusive edges here, as the
    // window rectangle is stored.
    if (rect.height() < kMinTrackHeight) {
        switch (edge) {
        case SizingEdge::Bottom:
        case SizingEdge::BottomLeft:
        case SizingEdge::BottomRight: rect.setHeight(kMinTrackHeight); break;
        default: rect.setTop(rect.bottom() + 1 - kMinTrackHeight); break;
        }
    }
    if (rect.width() < kMinTrackWidth) {
        switch (edge) {
        case SizingEdge::BottomRight:
        case SizingEdge::Right:
        case SizingEdge::TopRight: rect.setWidth(kMinTrackWidth); break;
        default: rect.setLeft(rect.right() + 1 - kMinTrackWidth); break;
        }
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::ToolTip) {
        return false;
    }
    QWidget* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    if (type == QEvent::ToolTip) {
        // The program's status texts carry no tool tip, so only buttons whose
        // command has one (About) show it, also on a floating toolbar.
        const QToolButton* button = qobject_cast<QToolButton*>(widget);
        if (button != nullptr && button->parentWidget() == m_wndToolBar &&
            button->defaultAction() != nullptr) {
            const CommandDef* def = FindCommand(button->defaultAction()->data().toInt());
            return def != nullptr && def->toolTip == nullptr;
        }
        return false;
    }
    // Keys count in the main window and on its toolbar, also when it floats.
    if (widget->window() != this && widget->window() != m_wndToolBar) {
        return false;
    }
    QKeyEvent* key = static_cast<QKeyEvent*>(event);
    if (m_bSplitTracking) {
        event->accept();
        return type == QEvent::ShortcutOverride || HandleSplitKey(key);
    }
    const CommandDef* def = AcceleratorFor(key);
    if (def == nullptr) {
        return false;
    }
    if (m_bRunning) {
        // The run lets window events through, but no accelerator reaches a
        // command: the stop comes from the toolbar button or the menu.
        event->accept();
        return true;
    }
    if (type == QEvent::ShortcutOverride) {
        // Claim the key so that no shortcut or menu access key takes it
        // ("&Metrics" would take Alt+M); the key press that follows performs
        // the command, as an accelerator does.
        event->accept();
        return true;
    }
    OnCommand(def->id);
    return true;
}

bool CMainFrame::HandleSplitKey(QKeyEvent* key) {
    QList<int> outer = m_wndSplitter->sizes();
    QList<int> right = m_wndSplitterRight->sizes();
    switch (key->key()) {
    case Qt::Key_Left:
        outer[0] -= kSplitStep;
        outer[1] += kSplitStep;
        break;
    case Qt::Key_Right:
        outer[0] += kSplitStep;
        outer[1] -= kSplitStep;
        break;
    case Qt::Key_Up:
        right[0] -= kSplitStep;
        right[1] += kSplitStep;
        break;
    case Qt::Key_Down:
        right[0] += kSplitStep;
        right[1] -= kSplitStep;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        m_bSplitTracking = false;
        SetMessageText(kReady);
        return true;
    default: return true;
    }
    m_wndSplitter->setSizes(outer);
    m_wndSplitterRight->setSizes(right);
    m_wndSplitter->SetKeptSize(m_wndSplitter->sizes().value(0));
    m_wndSplitterRight->SetKeptSize(m_wndSplitterRight->sizes().value(1));
    return true;
}

// --- Shell commands ---

void CMainFrame::SetLanguage(int language, int id) {
    m_nLanguage = language;
    CheckMenuRadioItem(kLanguageFirst, kLanguageLast, id);
}

void CMainFrame::OnLangC() {
    SetLanguage(1, ID_LANG_C);
}

void CMainFrame::OnLangCpp() {
    SetLanguage(0, ID_LANG_CPP);
}

void CMainFrame::OnLangVb() {
    SetLanguage(2, ID_LANG_VB);
}

void CMainFrame::OnLangByExt() {
    SetLanguage(3, ID_LANG_BY_EXT);
}

void CMainFrame::SetTopMost(bool on) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = windowHandle()) {
        // Change the existing window in place: same position and size, no
        // hiding and showing as setWindowFlags would do.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void CMainFrame::OnAlwaysOnTop() {
    const bool wasChecked = IsMenuItemChecked(ID_ALWAYS_ON_TOP);
    m_bTopMost = !m_bTopMost;
    SetTopMost(!wasChecked);
    CheckMenuItem(ID_ALWAYS_ON_TOP, !wasChecked);
}

void CMainFrame::OnAppExit() {
    if (m_bModified) {
        PromptSave();
    }
    SaveSettings();
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMainFrame::OnViewToolbar() {
    m_wndToolBar->setVisible(!m_wndToolBar->isVisibleTo(this));
    CheckMenuItem(ID_VIEW_TOOLBAR, m_wndToolBar->isVisibleTo(this));
}

void CMainFrame::OnViewStatusBar() {
    m_wndStatusBar->setVisible(!m_wndStatusBar->isVisibleTo(this));
    CheckMenuItem(ID_VIEW_STATUS_BAR, m_wndStatusBar->isVisibleTo(this));
}

void CMainFrame::OnWindowSplit() {
    // Until Enter or Escape, the arrow keys move the splitter bars: left and
    // right the bar beside the project tree, up and down the bar above the
    // totals pane.
    m_bSplitTracking = true;
    setFocus();
}

QString CMainFrame::HelpFilePath() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../" ORBEK_DATA_SUBDIR "/" ORBEK_HELP_FILE));
}

void CMainFrame::OnHelpTopics() {
    const QString path = HelpFilePath();
    if (!QFileInfo(path).isFile() || !m_platform.OpenUrl(QUrl::fromLocalFile(path))) {
        m_platform.MessageBox(this,
                              QStringLiteral("Error opening Kestrum help file: ") +
                                  QDir::toNativeSeparators(path),
                              MessageIcon::Exclamation);
    }
}

void CMainFrame::OnAppAbout() {
    COrbekApp::OnAppAbout(m_platform, this);
}
