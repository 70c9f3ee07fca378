// The keyboard in the main window: Tab moves the focus between the tab strip
// and the page shown, Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+1 to Ctrl+9 change the
// tab, Esc ends a waiting swap or copy, and the keys on a page's focused cell
// do what the mouse and the button menu do with it.
#include <windows.h>
#include <commctrl.h>

#include "app/MainWindow.h"

namespace tavrin {
namespace {

bool Held(int key) noexcept { return GetKeyState(key) < 0; }

// Bit 30 of a key message: the key was already down (the keyboard repeats it).
bool Repeated(LPARAM lParam) noexcept { return (lParam & (LPARAM{1} << 30)) != 0; }

// The command a key runs on a group page's focused cell.
Command CellCommandOfKey(WPARAM key) noexcept {
    if (key == VK_F2) return Command::ButtonProperties;
    if (key == VK_DELETE) return Command::ClearButton;
    if (key == 'C' && Held(VK_CONTROL)) return Command::CopyButtonPath;
    return Command::None;
}

}  // namespace

bool MainWindow::OnWindowKey(WPARAM key) {
    const bool control = Held(VK_CONTROL);
    if (key == VK_TAB && !control) {
        FocusPageOrTabs(GetFocus() == tabControl_);
        return true;
    }
    if (key == VK_TAB) {
        const int items = TabCtrl_GetItemCount(tabControl_);
        if (items > 0) SelectTabItem((TabItemOfPage(activePage_) + (Held(VK_SHIFT) ? items - 1 : 1)) % items);
        return true;
    }
    if (control && key >= '1' && key <= '9') {
        SelectTabItem(static_cast<int>(key - '1'));
        return true;
    }
    if (key == VK_ESCAPE && find_.Active()) {
        EndFind();
        return true;
    }
    return key == VK_ESCAPE && pick_.End();
}

// Enter and Space are a click on the focused cell, with its press and release.
bool MainWindow::OnPageKey(UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_CHAR) return OnFindChar(static_cast<wchar_t>(key));
    if (message != WM_KEYDOWN) return false;
    if (OnWindowKey(key)) return true;
    const TabPage* const page = ShownPage();
    ButtonCell* const cell = page && !Repeated(lParam) ? page->FocusedCell() : nullptr;
    if (!cell) return false;
    if ((key == VK_RETURN || key == VK_SPACE) && !Held(VK_CONTROL)) {
        cell->Press();
        return true;
    }
    const Command command = activePage_ > 0 && !find_.Active() ? CellCommandOfKey(key) : Command::None;
    if (command == Command::None) return false;
    currentImageId_ = cell->Tag();
    contextButtonId_ = cell->Tag();
    RunCommand(command);
    return true;
}

// The item's page is shown as a click on its tab shows it; the focus stays on the tab strip or goes to the new page.
void MainWindow::SelectTabItem(int item) {
    const int page = PageOfTabItem(item);
    if (page < 0 || page == activePage_) return;
    SetActivePage(page);
    OnPageChanged();
}

TabPage* MainWindow::ShownPage() const {
    if (find_.Active()) return findPage_.get();
    return activePage_ >= 0 ? pages_[activePage_].window.get() : nullptr;
}

void MainWindow::FocusPageOrTabs(bool page) {
    const TabPage* const shown = page ? ShownPage() : nullptr;
    SetFocus(shown ? shown->Handle() : tabControl_);
}

// TranslateMessage posted the character before the tab strip was given its key.
void MainWindow::FindCharOfTabStrip() {
    MSG typed;
    if (PeekMessageW(&typed, tabControl_, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
        OnFindChar(static_cast<wchar_t>(typed.wParam))) {
        (void)PeekMessageW(&typed, tabControl_, WM_CHAR, WM_CHAR, PM_REMOVE);
    }
}
// The window gives the keyboard back to the control that had it when the window was last active.
void MainWindow::RestoreFocus() {
    if (lastFocus_ && IsWindowVisible(lastFocus_) && IsChild(Handle(), lastFocus_)) {
        SetFocus(lastFocus_);
    } else {
        FocusPageOrTabs(true);
    }
}

}  // namespace tavrin
