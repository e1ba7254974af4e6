// The command table: every command id of the program with its menu text
// (access keys as written), status text, key, toolbar image and handler.
// Menu items, toolbar buttons and keys are QActions made from this table,
// and all of them dispatch through CMainFrame::OnCommand.
#pragma once

#include <span>

class CMainFrame;

using CommandHandler = void (CMainFrame::*)();

enum class CheckKind {
    None,   // a plain command
    Toggle, // a check mark (menu) or a check-box button that stays pressed (toolbar)
    Radio,  // a radio mark within its group
};

struct CommandDef {
    int id;
    const char* menuText;   // with "&" access key and "\t" before the key; null: no menu item
    const char* statusText; // shown on the status bar while pointed at
    const char* key;        // accelerator such as "Ctrl+N", or null
    CommandHandler handler;
    CheckKind check;
    const char* icon;    // toolbar image in the resources (button ids only), or null
    const char* toolTip; // only About has one
};

// Every command id, one entry each; ids that run the same handler share it.
std::span<const CommandDef> AllCommands();

// The entry of `id`, or null for an unknown id.
const CommandDef* FindCommand(int id);

// Layout of the main menu: popups, items (by command id) and separators.
struct MenuEntry {
    enum Kind { Popup, Item, Separator, EndPopup, RecentPlace };
    Kind kind;
    int id;           // Item: the command id
    const char* text; // Popup: its title with access key
};

std::span<const MenuEntry> MainMenuLayout();

// Toolbar buttons in order; 0 is a separator.
std::span<const int> ToolbarLayout();

// Radio groups of the menu, as inclusive id ranges.
inline constexpr int kLanguageFirst = 32787; // C++, C, Visual Basic, By file extension
inline constexpr int kLanguageLast = 32790;
inline constexpr int kShowTypeFirst = 32799; // full path, path, file name
inline constexpr int kShowTypeLast = 32801;
