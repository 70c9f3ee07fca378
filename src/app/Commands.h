// The main window's commands as data: identifiers, captions and hints that the
// system menu, the tray menu, the status-bar menu, the tool images and the
// tests all use.
#pragma once

#include <array>

namespace tavrin {

// The window and menu actions of the main window.
enum class Action {
    None,
    ActionMenu_AlwaysOnTop,
    ActionMenu_ShowSysPanel,
    ActionMenu_Report,
    ActionMenu_AppOptions,
    ActionMenu_Website,
    ActionMenu_About,
    ActionMenu_BackupConfig,
    ActionMenu_ResotreConfig,
};

struct MenuEntry {
    const wchar_t* caption;  // "-" is a separator
    Action action;
    unsigned commandId;      // system commands keep their low four bits clear

    [[nodiscard]] constexpr bool IsSeparator() const noexcept { return caption[0] == L'-' && caption[1] == L'\0'; }
};

// PopupMenuTitle: the entries the window appends to its system menu, in order.
inline constexpr std::array<MenuEntry, 8> kPopupMenuTitle{{
    {L"Always On Top", Action::ActionMenu_AlwaysOnTop, 0x0110},
    {L"Show Tavrin Tab", Action::ActionMenu_ShowSysPanel, 0x0120},
    {L"-", Action::None, 0},
    {L"View Frequency Report", Action::ActionMenu_Report, 0x0130},
    {L"Options...", Action::ActionMenu_AppOptions, 0x0140},
    {L"-", Action::None, 0},
    {L"Tavrin Home", Action::ActionMenu_Website, 0x0150},
    {L"&About...", Action::ActionMenu_About, 0x0160},
}};

// PopupMenuStatus, the status bar's menu; the first entry is the default.
inline constexpr std::array<MenuEntry, 3> kPopupMenuStatus{{
    {L"View Frequency Report", Action::ActionMenu_Report, 0x0230},
    {L"-", Action::None, 0},
    {L"Options...", Action::ActionMenu_AppOptions, 0x0240},
}};

// PopupMenuTrayIcon, the notification-area icon's menu; "Show" is the default entry.
// "Show" and "&Close" belong to no action: the window handles their commands itself.
inline constexpr unsigned kTrayShowCommand = 0x0310;
inline constexpr unsigned kTrayCloseCommand = 0x0320;
inline constexpr std::array<MenuEntry, 6> kPopupMenuTrayIcon{{
    {L"Show", Action::None, kTrayShowCommand},
    {L"-", Action::None, 0},
    {L"Options...", Action::ActionMenu_AppOptions, 0x0340},
    {L"Tavrin Home", Action::ActionMenu_Website, 0x0350},
    {L"-", Action::None, 0},
    {L"&Close", Action::None, kTrayCloseCommand},
}};

// The hints of the tool images of the Tavrin Tab, taken from their actions.
[[nodiscard]] constexpr const char* ActionHint(Action action) noexcept {
    switch (action) {
        case Action::ActionMenu_AppOptions:
            return "Options";
        case Action::ActionMenu_Report:
            return "View Frequency Report";
        case Action::ActionMenu_BackupConfig:
            return "Backup Settings";
        case Action::ActionMenu_ResotreConfig:
            return "Restore Settings";
        default:
            return "";
    }
}

// The product's web page, opened by "Tavrin Home".
inline constexpr char kTavrinHomeAddress[] = "https://tavrin.example.org/";

// Sent by a second copy of the program to the running one.
inline constexpr unsigned kRunningCopyMessage = 3080;

}  // namespace tavrin
