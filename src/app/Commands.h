// The main window's commands as data: one identifier per command with its
// caption and hint. The system menu, the status-bar menu, the tray menu, the
// tool images of the Tavrin Tab and the tests all use these identifiers.
#pragma once

#include <windows.h>

#include <array>
#include <span>

namespace tavrin {

// The identifiers double as menu and system-menu command numbers, so their low
// four bits stay clear (Windows uses them in system commands).
enum class Command : unsigned {
    None = 0,  // in a menu layout: a separator
    AlwaysOnTop = 0x0110,
    ShowTavrinTab = 0x0120,
    Report = 0x0130,
    Options = 0x0140,
    Website = 0x0150,
    About = 0x0160,
    BackupSettings = 0x0170,
    RestoreSettings = 0x0180,
    ToggleWindow = 0x0190,
    Close = 0x01A0,
    // The tab menu's commands on the active tab.
    MoveTabLeft = 0x01B0,
    MoveTabRight = 0x01C0,
    NewTab = 0x01D0,
    RenameTab = 0x01E0,
    DeleteTab = 0x01F0,
    // The button menu's commands on the button right-clicked last.
    MoveButtonToFirst = 0x0300,
    MoveButtonLeft = 0x0310,
    MoveButtonAfter = 0x0320,
    MoveButtonToLast = 0x0330,
    SwapButton = 0x0340,
    CopyButton = 0x0350,
    ClearButton = 0x0360,
    CopyButtonPath = 0x0370,
    ExploreButtonPath = 0x0380,
    ButtonProperties = 0x0390,
    ResetButtonCounts = 0x03A0,
};

struct CommandText {
    Command command;
    const wchar_t* caption;  // as a menu shows it
    const char* hint;        // as the status bar shows it for a tool image
};

inline constexpr std::array<CommandText, 26> kCommandTexts{{
    {Command::AlwaysOnTop, L"Always On Top", ""},
    {Command::ShowTavrinTab, L"Show &Tavrin Tab", ""},
    {Command::Report, L"View Frequency Report", "View Frequency Report"},
    {Command::Options, L"Options...", "Options"},
    {Command::Website, L"Tavrin Home", ""},
    {Command::About, L"&About...", ""},
    {Command::BackupSettings, L"Backup Settings", "Backup Settings"},
    {Command::RestoreSettings, L"Restore Settings", "Restore Settings"},
    {Command::ToggleWindow, L"Show", ""},
    {Command::Close, L"&Close", ""},
    // The tab menu.
    {Command::MoveTabLeft, L"Move Tab &left", ""},
    {Command::MoveTabRight, L"Move Tab &right", ""},
    {Command::NewTab, L"Create &New Tab...", ""},
    {Command::RenameTab, L"Rena&me ...", ""},
    {Command::DeleteTab, L"&Delete", ""},
    // The button menu; the Explorer entry's caption names the button while the menu is open.
    // Its letters, like those of the tab menu above, are each one entry's.
    {Command::MoveButtonToFirst, L"Move to the &first", ""},
    {Command::MoveButtonLeft, L"Move &left", ""},
    {Command::MoveButtonAfter, L"Move &after", ""},
    {Command::MoveButtonToLast, L"Move to the las&t", ""},
    {Command::SwapButton, L"&Swap to...", ""},
    {Command::CopyButton, L"C&opy to ...", ""},
    {Command::ClearButton, L"&Clear", ""},
    {Command::ResetButtonCounts, L"&Reset usage counts...", ""},
    {Command::CopyButtonPath, L"Copy f&ull path/file name", ""},
    {Command::ExploreButtonPath, L"Open Path in &Explorer", ""},
    {Command::ButtonProperties, L"&Properties", ""},
}};

[[nodiscard]] constexpr const CommandText& TextOf(Command command) {
    for (const CommandText& text : kCommandTexts) {
        if (text.command == command) return text;
    }
    return kCommandTexts[0];  // unreachable for a listed command; constexpr keeps it checked
}

// The menus, in their order; Command::None is a separator. The first entry of
// the status-bar and tray menus is their default.
inline constexpr std::array<Command, 8> kSystemMenu{Command::AlwaysOnTop, Command::ShowTavrinTab, Command::None,
                                                    Command::Report,      Command::Options,       Command::None,
                                                    Command::Website,     Command::About};
inline constexpr std::array<Command, 3> kStatusMenu{Command::Report, Command::None, Command::Options};
inline constexpr std::array<Command, 6> kTrayMenu{Command::ToggleWindow, Command::None, Command::Options,
                                                  Command::Website,      Command::None, Command::Close};
// The menu of the tab strip.
inline constexpr std::array<Command, 9> kTabMenu{Command::ShowTavrinTab, Command::None, Command::MoveTabLeft,
                                                 Command::MoveTabRight,  Command::None, Command::NewTab,
                                                 Command::RenameTab,     Command::None, Command::DeleteTab};

// The menu of a button on a group page; its last entry is the default one.
inline constexpr std::array<Command, 14> kButtonMenu{Command::MoveButtonToFirst,
                                                     Command::MoveButtonLeft,
                                                     Command::MoveButtonAfter,
                                                     Command::MoveButtonToLast,
                                                     Command::None,
                                                     Command::SwapButton,
                                                     Command::CopyButton,
                                                     Command::ClearButton,
                                                     Command::ResetButtonCounts,
                                                     Command::None,
                                                     Command::CopyButtonPath,
                                                     Command::ExploreButtonPath,
                                                     Command::None,
                                                     Command::ButtonProperties};
// The caption the Explorer entry takes, with the hint of the button.
inline constexpr wchar_t kExploreButtonCaption[] = L"Open \"%s\" in Windows &Explorer";

// Appends the entries of a menu layout to a menu.
void AppendMenuItems(HMENU menu, std::span<const Command> layout);

// The command a menu or system-menu number stands for; None for another number.
[[nodiscard]] Command CommandOfMenuId(unsigned id) noexcept;

// The product's web page, opened by "Tavrin Home".
inline constexpr char kTavrinHomeAddress[] = "https://tavrin.example.org/";
// The support address the about box offers.
inline constexpr char kSupportMailAddress[] = "support@tavrin.example.org";

// Sent by a second copy of the program to the running one.
inline constexpr unsigned kRunningCopyMessage = 3080;

}  // namespace tavrin
