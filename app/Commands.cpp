#include "Commands.h"

#include "MainFrm.h"
#include "Resource.h"

namespace {

using F = CMainFrame;
constexpr CheckKind None = CheckKind::None;
constexpr CheckKind Toggle = CheckKind::Toggle;
constexpr CheckKind Radio = CheckKind::Radio;

// clang-format off
constexpr CommandDef kCommands[] = {
    // id                    menu text                    status text
    //   key       handler                   check   toolbar image           tool tip
    {ID_PROJECT_NEW,         "&New\tCtrl+N",              "Create new project",
        "Ctrl+N",  &F::OnProjectNew,         None,   nullptr,                nullptr},
    {ID_TB_PROJECT_NEW,      nullptr,                     "Create new project",
        nullptr,   &F::OnProjectNew,         None,   ":/icons/new.svg",      nullptr},
    {ID_PROJECT_OPEN,        "&Open...\tCtrl+O",          "Open project file [*.qvd]",
        "Ctrl+O",  &F::OnProjectOpen,        None,   nullptr,                nullptr},
    {ID_TB_PROJECT_OPEN,     nullptr,                     "Open project file [*.qvd]",
        nullptr,   &F::OnProjectOpen,        None,   ":/icons/open.svg",     nullptr},
    {ID_PROJECT_SAVE,        "&Save\tCtrl+S",             "Save project",
        "Ctrl+S",  &F::OnProjectSave,        None,   nullptr,                nullptr},
    {ID_TB_PROJECT_SAVE,     nullptr,                     "Save project",
        nullptr,   &F::OnProjectSave,        None,   ":/icons/save.svg",     nullptr},
    {ID_PROJECT_SAVE_AS,     "Save &As...",               "Save project as...",
        nullptr,   &F::OnProjectSaveAs,      None,   nullptr,                nullptr},
    {ID_ADD_FILES,           "A&dd files...",
        "Add source files from directory or DSF file to project",
        nullptr,   &F::OnAddFiles,           None,   nullptr,                nullptr},
    {ID_TB_ADD_FILES,        nullptr,
        "Add source from directory or DSF file to project",
        nullptr,   &F::OnAddFiles,           None,   ":/icons/add.svg",      nullptr},
    {ID_REMOVE_FILES,        "&Remove files",
        "Remove source files directory or DSF file from project",
        nullptr,   &F::OnRemoveFiles,        None,   nullptr,                nullptr},
    {ID_TB_REMOVE_FILES,     nullptr,
        "Remove source directory or DSF file from project",
        nullptr,   &F::OnRemoveFiles,        None,   ":/icons/remove.svg",   nullptr},
    {ID_EDIT_PROPERTIES,     "&Edit properties...",       "Edit search properties...",
        nullptr,   &F::OnEditProperties,     None,   nullptr,                nullptr},
    {ID_TB_EDIT_PROPERTIES,  nullptr,                     "Edit search properties...",
        nullptr,   &F::OnEditProperties,     None,   ":/icons/properties.svg", nullptr},
    {ID_REFRESH_FILES,       "R&efresh files",            "Refresh search",
        nullptr,   &F::OnRefreshFiles,       None,   nullptr,                nullptr},
    {ID_TB_REFRESH_FILES,    nullptr,                     "Refresh search",
        nullptr,   &F::OnRefreshFiles,       None,   ":/icons/refresh.svg",  nullptr},
    // The recent project items are made at run time; their texts are the paths.
    {ID_RECENT_FIRST,        nullptr,                     "",
        nullptr,   &F::OnRecent1,            None,   nullptr,                nullptr},
    {ID_RECENT_2,            nullptr,                     "",
        nullptr,   &F::OnRecent2,            None,   nullptr,                nullptr},
    {ID_RECENT_3,            nullptr,                     "",
        nullptr,   &F::OnRecent3,            None,   nullptr,                nullptr},
    {ID_RECENT_LAST,         nullptr,                     "",
        nullptr,   &F::OnRecent4,            None,   nullptr,                nullptr},
    {ID_APP_EXIT,            "E&xit\tAlt+X",              "Quit program",
        "Alt+X",   &F::OnAppExit,            None,   nullptr,                nullptr},

    {ID_FILE_METRICS,        "File &metrics\tAlt+M",
        "Analyze project source files, file metrics",
        "Alt+M",   &F::OnFileMetrics,        None,   nullptr,                nullptr},
    {ID_TB_FILE_METRICS,     nullptr,
        "Analyze project source files, file metrics",
        nullptr,   &F::OnFileMetrics,        Toggle, ":/icons/file-metrics.svg", nullptr},
    {ID_FILE_METRICS_2,      nullptr,
        "Analyze project source files, file metrics",
        nullptr,   &F::OnFileMetrics,        None,   nullptr,                nullptr},
    {ID_FUNCTION_METRICS,    "F&unction metrics\tAlt+F",  "Function metrics",
        "Alt+F",   &F::OnFunctionMetrics,    None,   nullptr,                nullptr},
    {ID_TB_FUNCTION_METRICS, nullptr,                     "Function metrics",
        nullptr,   &F::OnFunctionMetrics,    None,   ":/icons/function-metrics.svg", nullptr},
    {ID_CLASS_METRICS,       "&Class metrics",            "Class metrics",
        nullptr,   &F::OnClassMetrics,       None,   nullptr,                nullptr},
    {ID_CLASS_METRICS_2,     nullptr,                     "Class metrics",
        nullptr,   &F::OnClassMetrics,       None,   nullptr,                nullptr},
    {ID_CLASS_METRICS_3,     nullptr,                     "Class metrics",
        nullptr,   &F::OnClassMetrics,       None,   nullptr,                nullptr},

    {ID_LANG_C,              "&C",                        "Treat code as C code",
        nullptr,   &F::OnLangC,              Radio,  nullptr,                nullptr},
    {ID_LANG_CPP,            "C&++",                      "Treat code as C++ code",
        nullptr,   &F::OnLangCpp,            Radio,  nullptr,                nullptr},
    {ID_LANG_VB,             "&Visual Basic",             "Treat code as Visual Basic (VB) code",
        nullptr,   &F::OnLangVb,             Radio,  nullptr,                nullptr},
    {ID_LANG_BY_EXT,         "&By file extension",
        "Code treatment depends on file extension",
        nullptr,   &F::OnLangByExt,          Radio,  nullptr,                nullptr},
    {ID_DEFINE_EXTS,         "&Define extensions...",     "Define extensions for files analyze...",
        nullptr,   &F::OnDefineExts,         None,   nullptr,                nullptr},

    {ID_PRJ_AUTO_SORT,       "&Auto sort files",          "Auto sort project files",
        nullptr,   &F::OnPrjAutoSort,        Toggle, nullptr,                nullptr},
    {ID_PRJ_SHOW_FULL_PATH,  "Show &full path",           "Show full project files path",
        nullptr,   &F::OnPrjShowFullPath,    Radio,  nullptr,                nullptr},
    {ID_PRJ_SHOW_PATH,       "Show &path",                "Show project files path",
        nullptr,   &F::OnPrjShowPath,        Radio,  nullptr,                nullptr},
    {ID_PRJ_SHOW_FILE_NAME,  "Show &file name",           "Show only project file names",
        nullptr,   &F::OnPrjShowFileName,    Radio,  nullptr,                nullptr},
    {ID_METRICS_FULL_PATH,   "&Show full path",           "Show full path of analyzed file",
        nullptr,   &F::OnMetricsFullPath,    Toggle, nullptr,                nullptr},
    {ID_TB_METRICS_FULL_PATH, nullptr,                    "Show full path of analyzed file",
        nullptr,   &F::OnMetricsFullPath,    Toggle, ":/icons/full-path.svg", nullptr},
    {ID_METRICS_GRIDLINES,   "&Gridlines",                "Show gridlines",
        nullptr,   &F::OnMetricsGridlines,   Toggle, nullptr,                nullptr},
    {ID_TB_METRICS_GRIDLINES, nullptr,                    "Show/Hide gridlines",
        nullptr,   &F::OnMetricsGridlines,   Toggle, ":/icons/gridlines.svg", nullptr},
    {ID_METRICS_COLUMNS,     "&Columns...",               "Customize columns...",
        nullptr,   &F::OnMetricsColumns,     None,   nullptr,                nullptr},
    {ID_TB_METRICS_COLUMNS,  nullptr,                     "Customize columns...",
        nullptr,   &F::OnMetricsColumns,     None,   ":/icons/columns.svg",  nullptr},
    {ID_RESULTS_AS_LIST,     "As list",                   "Display results as list view",
        nullptr,   &F::OnResultsAsList,      Toggle, nullptr,                nullptr},
    {ID_TB_RESULTS_AS_LIST,  nullptr,                     "Display results as list view",
        nullptr,   &F::OnResultsAsList,      Toggle, ":/icons/as-list.svg",  nullptr},
    {ID_OUTPUT_TEXT_FILE,    "&Text file...",             "Save view to text file...",
        nullptr,   &F::OnOutputTextFile,     None,   nullptr,                nullptr},
    {ID_VIEW_TOOLBAR,        "&Toolbar",                  "Show or hide the toolbar",
        nullptr,   &F::OnViewToolbar,        Toggle, nullptr,                nullptr},
    {ID_VIEW_STATUS_BAR,     "&Status Bar",               "Show or hide the status bar",
        nullptr,   &F::OnViewStatusBar,      Toggle, nullptr,                nullptr},
    {ID_WINDOW_SPLIT,        "S&plit",                    "Split the active window into panes",
        nullptr,   &F::OnWindowSplit,        None,   nullptr,                nullptr},
    {ID_ALWAYS_ON_TOP,       "&Always On Top",            "Stay always on the top",
        nullptr,   &F::OnAlwaysOnTop,        Toggle, nullptr,                nullptr},
    {ID_TB_ALWAYS_ON_TOP,    nullptr,                     "Stay always on the top",
        nullptr,   &F::OnAlwaysOnTop,        Toggle, ":/icons/pin.svg",      nullptr},

    {ID_HELP_TOPICS,         "&Help Topics...",           "Help topics...",
        nullptr,   &F::OnHelpTopics,         None,   nullptr,                nullptr},
    // About is both a menu item and a toolbar button under one id.
    {ID_APP_ABOUT,           "&About...",
        "Display program information, version number and copyright",
        nullptr,   &F::OnAppAbout,           None,   ":/icons/about.svg",    "About"},
};

constexpr MenuEntry kMenu[] = {
    {MenuEntry::Popup, 0, "&Project"},
        {MenuEntry::Item, ID_PROJECT_NEW, nullptr},
        {MenuEntry::Item, ID_PROJECT_OPEN, nullptr},
        {MenuEntry::Item, ID_PROJECT_SAVE, nullptr},
        {MenuEntry::Item, ID_PROJECT_SAVE_AS, nullptr},
        {MenuEntry::Separator, 0, nullptr},
        {MenuEntry::Item, ID_ADD_FILES, nullptr},
        {MenuEntry::Item, ID_REMOVE_FILES, nullptr},
        {MenuEntry::Item, ID_EDIT_PROPERTIES, nullptr},
        {MenuEntry::Item, ID_REFRESH_FILES, nullptr},
        {MenuEntry::Separator, 0, nullptr},
        // The recent project items and their separator go here at run time.
        {MenuEntry::RecentPlace, 0, nullptr},
        {MenuEntry::Item, ID_APP_EXIT, nullptr},
    {MenuEntry::EndPopup, 0, nullptr},
    {MenuEntry::Popup, 0, "&Metrics"},
        {MenuEntry::Item, ID_FILE_METRICS, nullptr},
        {MenuEntry::Item, ID_FUNCTION_METRICS, nullptr},
        {MenuEntry::Item, ID_CLASS_METRICS, nullptr},
    {MenuEntry::EndPopup, 0, nullptr},
    {MenuEntry::Popup, 0, "&Language"},
        {MenuEntry::Item, ID_LANG_C, nullptr},
        {MenuEntry::Item, ID_LANG_CPP, nullptr},
        {MenuEntry::Item, ID_LANG_VB, nullptr},
        {MenuEntry::Item, ID_LANG_BY_EXT, nullptr},
        {MenuEntry::Separator, 0, nullptr},
        {MenuEntry::Item, ID_DEFINE_EXTS, nullptr},
    {MenuEntry::EndPopup, 0, nullptr},
    {MenuEntry::Popup, 0, "&View"},
        {MenuEntry::Popup, 0, "&Project"},
            {MenuEntry::Item, ID_PRJ_AUTO_SORT, nullptr},
            {MenuEntry::Separator, 0, nullptr},
            {MenuEntry::Item, ID_PRJ_SHOW_FULL_PATH, nullptr},
            {MenuEntry::Item, ID_PRJ_SHOW_PATH, nullptr},
            {MenuEntry::Item, ID_PRJ_SHOW_FILE_NAME, nullptr},
        {MenuEntry::EndPopup, 0, nullptr},
        {MenuEntry::Popup, 0, "&Metrics"},
            {MenuEntry::Item, ID_METRICS_FULL_PATH, nullptr},
            {MenuEntry::Item, ID_METRICS_GRIDLINES, nullptr},
            {MenuEntry::Item, ID_METRICS_COLUMNS, nullptr},
        {MenuEntry::EndPopup, 0, nullptr},
        {MenuEntry::Popup, 0, "&Results"},
            {MenuEntry::Item, ID_RESULTS_AS_LIST, nullptr},
        {MenuEntry::EndPopup, 0, nullptr},
        {MenuEntry::Popup, 0, "&Output"},
            {MenuEntry::Item, ID_OUTPUT_TEXT_FILE, nullptr},
        {MenuEntry::EndPopup, 0, nullptr},
        {MenuEntry::Separator, 0, nullptr},
        {MenuEntry::Item, ID_VIEW_TOOLBAR, nullptr},
        {MenuEntry::Item, ID_VIEW_STATUS_BAR, nullptr},
        {MenuEntry::Item, ID_WINDOW_SPLIT, nullptr},
        {MenuEntry::Separator, 0, nullptr},
        {MenuEntry::Item, ID_ALWAYS_ON_TOP, nullptr},
    {MenuEntry::EndPopup, 0, nullptr},
    {MenuEntry::Popup, 0, "&Help"},
        {MenuEntry::Item, ID_HELP_TOPICS, nullptr},
        {MenuEntry::Item, ID_APP_ABOUT, nullptr},
    {MenuEntry::EndPopup, 0, nullptr},
};

constexpr int kToolbar[] = {
    ID_TB_PROJECT_NEW, ID_TB_PROJECT_OPEN, ID_TB_PROJECT_SAVE, ID_TB_ADD_FILES,
    ID_TB_REMOVE_FILES, ID_TB_EDIT_PROPERTIES, ID_TB_REFRESH_FILES,
    0,
    ID_TB_FILE_METRICS, ID_TB_FUNCTION_METRICS,
    0,
    ID_TB_METRICS_FULL_PATH, ID_TB_METRICS_GRIDLINES, ID_TB_METRICS_COLUMNS,
    ID_TB_RESULTS_AS_LIST, ID_TB_ALWAYS_ON_TOP,
    0,
    ID_APP_ABOUT,
};
// clang-format on

} // namespace

std::span<const CommandDef> AllCommands() {
    return kCommands;
}

const CommandDef* FindCommand(int id) {
    for (const CommandDef& def : kCommands) {
        if (def.id == id) {
            return &def;
        }
    }
    return nullptr;
}

std::span<const MenuEntry> MainMenuLayout() {
    return kMenu;
}

std::span<const int> ToolbarLayout() {
    return kToolbar;
}
