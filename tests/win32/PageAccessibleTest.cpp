// The main window's pages as a screen reader reads them: through the
// platform's own client calls (AccessibleObjectFromWindow, the IAccessible
// methods, a WinEvent hook) on a main window made in this process.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/MainWindow.h"
#include "support/ButtonFiles.h"
#include "support/MainWindowFixture.h"
#include "support/WindowTesting.h"
#include "win32/ComPtr.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::ButtonXml;

VARIANT Child(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The text that get(&text) gave, freed; "<none>" for S_FALSE and no text.
template <typename Getter>
std::string Text(Getter&& get) {
    BSTR text = nullptr;
    const HRESULT result = get(&text);
    EXPECT_TRUE(SUCCEEDED(result)) << std::hex << result;
    if (!text) return "<none>";
    std::string narrow = Narrow(std::wstring(text, SysStringLen(text)));
    SysFreeString(text);
    return narrow;
}

class PageAccessibleTest : public testing::MainWindowFixture {
protected:
    // Groups Tools and Games, the Tools page shown; recent: six IDs separated by commas.
    MainWindow& Start(std::string recent, const std::string& buttons) {
        std::string last6;
        for (int k = 1; k <= 6; ++k) {
            const size_t comma = recent.find(',');
            last6 += "<Item ID=\"" + std::to_string(k) + "\" Value=\"" + recent.substr(0, comma) + "\"/>";
            recent.erase(0, comma == std::string::npos ? recent.size() : comma + 1);
        }
        testing::WriteBytes(folder_ / "TV_alice.xml",
                            "<GLConfig><Application><Item Name=\"LastPanelIndex\" Value=\"1\"/></Application><Groups "
                            "Count=\"2\"><Item ID=\"1\" Value=\"Tools\"/><Item ID=\"2\" Value=\"Games\"/></Groups>"
                            "<Last6Buttons>" +
                                last6 + "</Last6Buttons><Buttons>" + buttons + "</Buttons></GLConfig>");
        return OpenWindow();
    }

    static ComPtr<IAccessible> ObjectOf(HWND page) {
        ComPtr<IAccessible> object;
        EXPECT_EQ(AccessibleObjectFromWindow(page, OBJID_CLIENT, IID_IAccessible, object.put_void()), S_OK);
        return object;
    }
    static std::string Name(IAccessible* object, LONG child) {
        return Text([&](BSTR* name) { return object->get_accName(Child(child), name); });
    }
    static std::string Description(IAccessible* object, LONG child) {
        return Text([&](BSTR* description) { return object->get_accDescription(Child(child), description); });
    }
    static LONG Role(IAccessible* object, LONG child) {
        VARIANT role{};
        EXPECT_EQ(object->get_accRole(Child(child), &role), S_OK);
        return role.vt == VT_I4 ? role.lVal : -1;
    }
};

TEST_F(PageAccessibleTest, AGroupPageNamesAndPlacesItsTwentyCells) {
    MainWindow& window = Start("101,0,0,0,0,0", ButtonXml(101, {{"Description", "Editor"}, {"HotKey", "Ctrl+Alt+N"}}) +
                                                    ButtonXml(103, {{"Command", "&quot;C:\\Apps\\calc.exe&quot;"}}));
    const ComPtr<IAccessible> page = ObjectOf(window.PageWindow(1));
    ASSERT_TRUE(page);
    LONG count = 0;
    EXPECT_EQ(page->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 20);
    EXPECT_EQ(Name(page.get(), CHILDID_SELF), "Tools");
    EXPECT_EQ(Role(page.get(), CHILDID_SELF), ROLE_SYSTEM_GROUPING);

    EXPECT_EQ(Name(page.get(), 1), "Editor");
    EXPECT_EQ(Description(page.get(), 1), "Editor -[Ctrl+Alt+N], button 1 of 20, Tools");
    EXPECT_EQ(Role(page.get(), 1), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Text([&](BSTR* text) { return page->get_accKeyboardShortcut(Child(1), text); }), "Ctrl+Alt+N");
    EXPECT_EQ(Text([&](BSTR* text) { return page->get_accDefaultAction(Child(1), text); }), "Press");
    EXPECT_EQ(Name(page.get(), 3), "calc.exe");  // no description: the command's file name
    EXPECT_EQ(Name(page.get(), 4), "empty, button 4 of 20");
    EXPECT_EQ(Description(page.get(), 4), "Tools");
    BSTR none = nullptr;
    EXPECT_EQ(page->get_accName(Child(21), &none), E_INVALIDARG);

    // Where cell 12 is on the screen, what is there, and its neighbours.
    const RECT cell = window.GridCell(1, 12).Rect();
    POINT corner{cell.left, cell.top};
    ClientToScreen(window.PageWindow(1), &corner);
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(page->accLocation(&left, &top, &width, &height, Child(12)), S_OK);
    EXPECT_EQ(std::tie(left, top, width, height), std::make_tuple(corner.x, corner.y, 34L, 34L));
    VARIANT found{};
    EXPECT_EQ(page->accHitTest(corner.x + 5, corner.y + 5, &found), S_OK);
    EXPECT_EQ(found.lVal, 12);
    EXPECT_EQ(page->accNavigate(NAVDIR_NEXT, Child(12), &found), S_OK);
    EXPECT_EQ(found.lVal, 13);
    EXPECT_EQ(page->accNavigate(NAVDIR_UP, Child(12), &found), S_OK);
    EXPECT_EQ(found.lVal, 2);
    EXPECT_EQ(page->accNavigate(NAVDIR_NEXT, Child(20), &found), S_FALSE);

    // The Tavrin Tab: the recent and most-used images by their buttons, the tools by their hints.
    const ComPtr<IAccessible> tavrinTab = ObjectOf(window.PageWindow(0));
    ASSERT_TRUE(tavrinTab);
    EXPECT_EQ(Name(tavrinTab.get(), CHILDID_SELF), "Tavrin Tab");
    EXPECT_EQ(Name(tavrinTab.get(), 1), "Editor");
    EXPECT_EQ(Description(tavrinTab.get(), 1), "Editor -[Ctrl+Alt+N], recent 1 of 6");
    EXPECT_EQ(Name(tavrinTab.get(), 4), "empty, most used 2 of 6");
    EXPECT_EQ(Name(tavrinTab.get(), 13), "Options");

    // A client that holds the object past the window is told that it is gone.
    window_.reset();
    EXPECT_EQ(page->get_accChildCount(&count), RPC_E_DISCONNECTED);
}

TEST_F(PageAccessibleTest, TheDefaultActionStartsTheButtonAndCountsIt) {
    const std::string child = folder_ / "child.exe";
    const std::string marker = folder_ / "marker.txt";
    ASSERT_TRUE(CopyFileW(Widen(TAVRIN_TEST_CHILD).c_str(), Widen(child).c_str(), FALSE));
    MainWindow& window = Start("0,0,0,0,0,0", ButtonXml(102, {{"Command", child}, {"Parameters", marker}}));
    const ComPtr<IAccessible> page = ObjectOf(window.PageWindow(1));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->accDoDefaultAction(Child(2)), S_OK);
    ASSERT_TRUE(testing::WaitUntil([&] { return fs_.FileExists(marker); })) << "the program did not start";
    EXPECT_EQ(window.Buttons().Load(102).value_or(ButtonRecord{}).TotolRunTimes, 1);
}

// Out-of-context events come to this thread as messages, which WaitUntil handles.
std::vector<std::tuple<HWND, LONG, LONG>> g_focusEvents;
void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    g_focusEvents.emplace_back(window, object, child);
}

TEST_F(PageAccessibleTest, AKeyThatMovesTheFocusTellsScreenReadersTheCell) {
    MainWindow& window = Start("0,0,0,0,0,0", "");
    const HWND page = window.PageWindow(1);
    SetFocus(page);
    ASSERT_EQ(GetFocus(), page);
    g_focusEvents.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, HearFocus,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    SendMessageW(page, WM_KEYDOWN, VK_RIGHT, 0);
    const std::tuple<HWND, LONG, LONG> expected{page, OBJID_CLIENT, 2};
    EXPECT_TRUE(testing::WaitUntil([&] { return !g_focusEvents.empty() && g_focusEvents.back() == expected; }, 5000))
        << g_focusEvents.size() << " focus events heard";
    UnhookWinEvent(hook);
}

}  // namespace
}  // namespace tavrin
