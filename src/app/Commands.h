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
};

struct CommandText {
    Command command;
    const wchar_t* caption;  // as a menu shows it
    const char* hint;        // as the status bar shows it for a tool image
};

inline constexpr std::array<CommandText, 15> kCommandTexts{{
    {Command::AlwaysOnTop, L"Always On Top", ""},
    {Command::ShowTavrinTab, L"Show Tavrin Tab", ""},
    {Command::Report, L"View Frequency Report", "View Frequency Report"},
    {Command::Options, L"Options...", "Options"},
    {Command::Website, L"Tavrin Home", ""},
    {Command::About, L"&About...", ""},
    {Command::BackupSettings, L"Backup Settings", "Backup Settings"},
    {Command::RestoreSettings, L"Restore Settings", "Restore Settings"},
    {Command::ToggleWindow, L"Show", ""},
    {Command::Close, L"&Close", ""},
    // The tab menu.
    {Command::MoveTabLeft, L"Move Tab left", ""},
    {Command::MoveTabRight, L"Move Tab right", ""},
    {Command::NewTab, L"Create New Tab...", ""},
    {Command::RenameTab, L"Rename ...", ""},
    {Command::DeleteTab, L"Delete", ""},
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
