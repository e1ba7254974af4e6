// Numeric ids of Orbek's commands, toolbar buttons and controls. The numbers
// are part of the program's interface: menu items, toolbar buttons and keys
// carry them, and tests perform commands by them.
#pragma once

enum CommandId : int {
    // Project menu and its toolbar buttons.
    ID_PROJECT_NEW = 32772,
    ID_TB_PROJECT_NEW = 32778,
    ID_PROJECT_OPEN = 32773,
    ID_TB_PROJECT_OPEN = 32777,
    ID_PROJECT_SAVE = 32793,
    ID_TB_PROJECT_SAVE = 32794,
    ID_PROJECT_SAVE_AS = 32795,
    ID_ADD_FILES = 32774,
    ID_TB_ADD_FILES = 32780,
    ID_REMOVE_FILES = 32785,
    ID_TB_REMOVE_FILES = 32783,
    ID_EDIT_PROPERTIES = 32805,
    ID_TB_EDIT_PROPERTIES = 32806,
    ID_REFRESH_FILES = 32821,
    ID_TB_REFRESH_FILES = 32823,
    ID_RECENT_FIRST = 32812, // four recent project items, made at run time
    ID_RECENT_2 = 32813,
    ID_RECENT_3 = 32814,
    ID_RECENT_LAST = 32815,
    ID_APP_EXIT = 32775,

    // Metrics menu.
    ID_FILE_METRICS = 32781,
    ID_TB_FILE_METRICS = 32782,
    ID_FILE_METRICS_2 = 32837, // a second id of File metrics, offered nowhere
    ID_FUNCTION_METRICS = 32826,
    ID_TB_FUNCTION_METRICS = 32827,
    ID_CLASS_METRICS = 32828,
    ID_CLASS_METRICS_2 = 32829,
    ID_CLASS_METRICS_3 = 32836,

    // Language menu.
    ID_LANG_CPP = 32787,
    ID_LANG_C = 32788,
    ID_LANG_VB = 32789,
    ID_LANG_BY_EXT = 32790,
    ID_DEFINE_EXTS = 32792,

    // View menu.
    ID_PRJ_AUTO_SORT = 32798,
    ID_PRJ_SHOW_FULL_PATH = 32799,
    ID_PRJ_SHOW_PATH = 32800,
    ID_PRJ_SHOW_FILE_NAME = 32801,
    ID_METRICS_FULL_PATH = 32802,
    ID_TB_METRICS_FULL_PATH = 32825,
    ID_METRICS_GRIDLINES = 32830,
    ID_TB_METRICS_GRIDLINES = 32833,
    ID_METRICS_COLUMNS = 32784,
    ID_TB_METRICS_COLUMNS = 32824,
    ID_RESULTS_AS_LIST = 32840,
    ID_TB_RESULTS_AS_LIST = 32841,
    ID_OUTPUT_TEXT_FILE = 32803,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_WINDOW_SPLIT = 57653,
    ID_ALWAYS_ON_TOP = 32786,
    ID_TB_ALWAYS_ON_TOP = 32796,

    // Help menu.
    ID_HELP_TOPICS = 57666,
    ID_APP_ABOUT = 57664,
};

// Controls with ids of their own.
enum ControlId : int {
    IDC_PROGRESS = 1981,    // progress bar on the status bar
    IDC_TOTALS_TEXT = 1011, // text of the totals pane
    IDC_TOTALS_LIST = 222,  // list child of the totals pane
    IDC_ABOUT_WWW = 1019,
    IDC_ABOUT_VISIT = 1020,
    IDC_ABOUT_WRITE = 1021,
};
