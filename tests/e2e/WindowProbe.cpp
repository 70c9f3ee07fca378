#include "e2e/WindowProbe.h"

#include <commctrl.h>
#include <lmcons.h>

#include "support/TestFileSystem.h"
#include "win32/Utf16.h"
#include "xml/XmlTree.h"

namespace tavrin::testing {
namespace {

// Cells are 34 pixels wide; a group page's touch, the Tavrin Tab's are a pixel apart.
constexpr int kCellSize = 34;
constexpr int kTavrinTabPitch = kCellSize + 1;

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (wcscmp(name, windowClass) == 0) children.push_back(child);
    }
    return children;
}

// The "Item" children of a top-level element of the settings file.
std::vector<IXmlElement> Items(const IXmlDocument& document, std::string_view section) {
    std::vector<IXmlElement> items;
    const IXmlElement parent = document->RootElement()->FirstChildElement(section);
    if (!parent) return items;
    for (const IXmlNode& node : parent->ChildNodes()) {
        if (auto element = std::dynamic_pointer_cast<XmlElement>(node); element && element->Name() == "Item") {
            items.push_back(element);
        }
    }
    return items;
}

}  // namespace

std::string CurrentUser() {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    return GetUserNameW(name, &size) ? Narrow(std::wstring_view(name, size - 1)) : std::string();
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool WaitUntilSettled(HWND window) {
    constexpr int kQuietPolls = 3;  // 60 ms without a change, one round trip to the window each
    RECT last = WindowRect(window);
    int quiet = 0;
    return WaitUntil([&] {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &answer)) return false;
        const RECT now = WindowRect(window);
        quiet = EqualRect(&now, &last) ? quiet + 1 : 0;
        last = now;
        return quiet >= kQuietPolls;
    });
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void MoveWindowTo(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TabControl(HWND mainWindow) { return FindWindowExW(mainWindow, nullptr, WC_TABCONTROLW, nullptr); }

int SelectedTab(HWND mainWindow) { return static_cast<int>(SendMessageW(TabControl(mainWindow), TCM_GETCURSEL, 0, 0)); }

void SelectTabWithKeys(HWND mainWindow, int item) {
    const HWND tabs = TabControl(mainWindow);
    for (int step = 0; step < 32 && SelectedTab(mainWindow) != item; ++step) {
        const WPARAM key = SelectedTab(mainWindow) < item ? VK_RIGHT : VK_LEFT;
        SendMessageW(tabs, WM_KEYDOWN, key, 1);
        SendMessageW(tabs, WM_KEYUP, key, 0xC0000001);
    }
}

HWND VisiblePage(HWND mainWindow) {
    for (const HWND page : ChildrenOfClass(TabControl(mainWindow), L"TavrinTabPage")) {
        if (GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE) return page;
    }
    return nullptr;
}

POINT MiddleOfSlot(int slot) {
    return {((slot - 1) % 10) * kCellSize + kCellSize / 2, ((slot - 1) / 10) * kCellSize + kCellSize / 2};
}

POINT MiddleOfRecentImage(int k) { return {(k - 1) * kTavrinTabPitch + kCellSize / 2, kCellSize / 2}; }

void ClickAt(HWND page, POINT point) {
    const LPARAM place = MAKELPARAM(point.x, point.y);
    PostMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, place);
    PostMessageW(page, WM_LBUTTONUP, 0, place);
}

std::string OptionValue(const std::string& settingsFile, const std::string& name) {
    for (const IXmlElement& item : Items(LoadXmlDocument(TestFileSystem(), settingsFile), "Application")) {
        if (item->GetAttrText("Name", "") == name) return item->GetAttrText("Value", "");
    }
    return {};
}

std::vector<std::string> StoredRecentList(const std::string& settingsFile) {
    std::vector<std::string> list;
    for (const IXmlElement& item : Items(LoadXmlDocument(TestFileSystem(), settingsFile), "Last6Buttons")) {
        list.push_back(item->GetAttrText("Value", ""));
    }
    return list;
}

std::string ButtonValue(const std::string& settingsFile, int id, const std::string& name) {
    const IXmlDocument document = LoadXmlDocument(TestFileSystem(), settingsFile);
    const IXmlElement buttons = document->RootElement()->FirstChildElement("Buttons");
    if (!buttons) return {};
    const IXmlElement button = buttons->FindChildElement("Button", "ID", XmlValue(std::to_string(id)));
    if (!button) return {};
    const IXmlElement item = button->FindChildElement("Item", "Name", XmlValue(name));
    return item ? item->GetAttrText("Value", "") : std::string();
}

}  // namespace tavrin::testing
