// Files dropped onto the main window, made in this process with OLE initialised
// as the program does: OLE's data objects of the clipboard, holding the formats
// a drag source offers, are handed to the window's registered drop target as
// OLE hands them over during a drag, at screen points of its cells.
#include "app/MainWindow.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/ShellLinker.h"
#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/MainWindowFixture.h"
#include "support/NoFileDialogs.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using namespace std::string_literals;
using testing::ButtonXml;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// OLE's data object of the clipboard, which then holds exactly these formats.
ComPtr<IDataObject> DataOf(const std::map<UINT, std::string>& formats) {
    EXPECT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    for (const auto& [format, bytes] : formats) {
        const HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(GlobalLock(global), bytes.data(), bytes.size());
        GlobalUnlock(global);
        SetClipboardData(format, global);
    }
    CloseClipboard();
    ComPtr<IDataObject> data;
    EXPECT_HRESULT_SUCCEEDED(OleGetClipboard(data.put()));
    return data;
}

template <typename T>
std::string BytesOf(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// The shell's file list: a DROPFILES header, then the names in UTF-16, each
// ended by a zero and the list by one more.
std::string FileList(const std::vector<std::string>& names) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::wstring list;
    for (const std::string& name : names) list += Widen(name) + L'\0';
    list += L'\0';
    return BytesOf(header) + std::string(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
}

// The shell's item list of one item: the count, the offsets of the parent's and
// the item's ID lists, and the two lists.
std::string ItemList(const std::string& path) {
    PIDLIST_ABSOLUTE full = nullptr;
    EXPECT_HRESULT_SUCCEEDED(SHParseDisplayName(Widen(path).c_str(), nullptr, &full, 0, nullptr));
    const unique_cotaskmem<ITEMIDLIST> item(full);
    const unique_cotaskmem<ITEMIDLIST> parent(ILClone(full));
    ILRemoveLastID(parent.get());
    const std::string parentBytes(reinterpret_cast<const char*>(parent.get()), ILGetSize(parent.get()));
    const std::string child(reinterpret_cast<const char*>(ILFindLastID(full)), ILGetSize(ILFindLastID(full)));
    const UINT header[] = {1, 3 * sizeof(UINT), static_cast<UINT>(3 * sizeof(UINT) + parentBytes.size())};
    return BytesOf(header) + parentBytes + child;
}

UINT Registered(const wchar_t* name) { return RegisterClipboardFormatW(name); }

// The middle of a cell, on the screen.
POINTL ScreenPointOf(const ButtonCell& cell) {
    POINT point{(cell.Rect().left + cell.Rect().right) / 2, (cell.Rect().top + cell.Rect().bottom) / 2};
    ClientToScreen(cell.Page(), &point);
    return {point.x, point.y};
}

class MainWindowDropTest : public testing::MainWindowFixture {
protected:
    MainWindowDropTest() {
        prompt_.answer = false;  // the replace question is answered No until a test says Yes
        WriteBytes(folder_ / "TV_alice.xml",
                   "<GLConfig><Application><Item Name=\"LastPanelIndex\" Value=\"1\"/>"
                   "</Application><Groups Count=\"1\"><Item ID=\"1\" Value=\"Tools\"/>"
                   "</Groups><Buttons>" +
                       ButtonXml(101, {{"Command", "C:\\old.exe"}, {"Description", "Old"}}) + "</Buttons></GLConfig>");
        OpenWindow();
    }
    ~MainWindowDropTest() override { window_.reset(); }  // while OLE is still initialised

    std::string File(const std::string& name) {
        WriteBytes(folder_ / name, "content");
        return folder_ / name;
    }

    // A drag that enters at point, rests there and drops: the effect reported at
    // the drop. The button is made once the drop's message is handled.
    DWORD Drag(const ComPtr<IDataObject>& data, POINTL point, DWORD offered = DROPEFFECT_COPY | DROPEFFECT_MOVE,
               DWORD keys = MK_LBUTTON) {
        IDropTarget* const target = window_->DropTarget();
        DWORD effect = offered;
        EXPECT_HRESULT_SUCCEEDED(target->DragEnter(data.get(), keys, point, &effect));
        const ButtonCell* const cell = window_->ActivePageIndex() == 1 ? &window_->GridCell(1, 1) : nullptr;
        highlighted_ = cell && cell->CurrentLook() == ButtonCell::Look::DropTarget;
        effect = offered;
        EXPECT_HRESULT_SUCCEEDED(target->Drop(data.get(), keys, point, &effect));
        testing::PumpMessages(50);
        return effect;
    }

    // The program initialises OLE on its main thread before it makes the window.
    ComInitScope ole_{ComInitScope::Kind::Ole};
    bool highlighted_ = false;  // cell 101 showed itself as the target
};

TEST_F(MainWindowDropTest, TheFirstNameDroppedOnACellBecomesItsButton) {
    MainWindow& window = *window_;
    EXPECT_EQ(RegisterDragDrop(window.Handle(), window.DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
    // Three files: one button, for the first; a plain drag copies.
    EXPECT_EQ(Drag(DataOf({{CF_HDROP, FileList({File("a.txt"), File("b.txt"), File("c.txt")})}}),
                   ScreenPointOf(window.GridCell(1, 3))),
              DROPEFFECT_COPY);
    EXPECT_EQ(window.Buttons().Load(103).value().Command, folder_ / "a.txt");
    EXPECT_EQ(window.GridCell(1, 3).Hint(), "a.txt");
    EXPECT_EQ(window.GridCell(1, 3).CurrentLook(), ButtonCell::Look::Raised);
    EXPECT_FALSE(window.Buttons().Load(104));

    // A folder offered only as the shell's item list; Ctrl+Shift links.
    ASSERT_TRUE(CreateDirectoryW(Widen(folder_ / "Data").c_str(), nullptr));
    EXPECT_EQ(Drag(DataOf({{Registered(L"Shell IDList Array"), ItemList(folder_ / "Data")}}),
                   ScreenPointOf(window.GridCell(1, 4)), DROPEFFECT_COPY | DROPEFFECT_LINK,
                   MK_LBUTTON | MK_CONTROL | MK_SHIFT),
              DROPEFFECT_LINK);
    EXPECT_EQ(window.Buttons().Load(104).value().WindowStyle, 5);
    EXPECT_EQ(window.GridCell(1, 4).Hint(), "Data");

    // A shortcut with its extension in capitals is followed to its target.
    ShellLinkSpec spec;
    spec.Path = File("tool.exe");
    ASSERT_TRUE(CreateShellLink(spec, folder_ / "Tool.LNK"));
    Drag(DataOf({{CF_HDROP, FileList({folder_ / "Tool.LNK"})}}), ScreenPointOf(window.GridCell(1, 5)));
    EXPECT_EQ(window.Buttons().Load(105).value().Command, shell_.GetCanonicalPath(spec.Path));
}

TEST_F(MainWindowDropTest, AnOccupiedSlotIsReplacedOnlyAfterYesAndRefusedDragsChangeNothing) {
    MainWindow& window = *window_;
    const std::string before = ReadBytes(folder_ / "TV_alice.xml");
    const POINTL cell = ScreenPointOf(window.GridCell(1, 1));
    const std::string file = File("new.txt");
    EXPECT_EQ(Drag(DataOf({{CF_HDROP, FileList({file})}}), cell, DROPEFFECT_MOVE), DROPEFFECT_NONE);
    EXPECT_FALSE(highlighted_);
    EXPECT_EQ(Drag(DataOf({{CF_UNICODETEXT, "n\0\0\0"s}}), cell), DROPEFFECT_NONE);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    POINT status{client.right / 2, client.bottom - 3};
    ClientToScreen(window.Handle(), &status);
    EXPECT_EQ(Drag(DataOf({{CF_HDROP, FileList({file})}}), {status.x, status.y}), DROPEFFECT_NONE);

    EXPECT_EQ(Drag(DataOf({{CF_HDROP, FileList({file})}}), cell), DROPEFFECT_COPY);
    EXPECT_TRUE(highlighted_);
    EXPECT_EQ(prompt_.questions,
              std::vector<std::string>{"Use the:\r\n\r\nC:\\old.exe\r\n\r\nReplace the exists icon:\r\n\r\n" + file});
    EXPECT_EQ(ReadBytes(folder_ / "TV_alice.xml"), before);
    prompt_.answer = true;
    Drag(DataOf({{CF_HDROP, FileList({file})}}), cell);
    EXPECT_EQ(window.GridCell(1, 1).Hint(), "new.txt");

    window.SetActivePage(0);  // the Tavrin Tab
    prompt_.questions.clear();
    EXPECT_EQ(
        Drag(DataOf({{CF_HDROP, FileList({File("other.txt")})}}), ScreenPointOf(window.TavrinTab().RecentImage(1))),
        DROPEFFECT_NONE);
    EXPECT_TRUE(prompt_.questions.empty());
}

}  // namespace
}  // namespace tavrin
