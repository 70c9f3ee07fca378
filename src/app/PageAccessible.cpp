#include "app/PageAccessible.h"

#include <oleacc.h>

#include <atomic>
#include <string>

#include "app/TabPage.h"
#include "rules/CellSpeech.h"
#include "rules/FocusMove.h"
#include "win32/ErrorDisplay.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr wchar_t kPressAction[] = L"Press";

// A text for a client: S_FALSE and no string when there is none.
HRESULT GiveText(const std::wstring& text, BSTR* out) noexcept {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveText(const std::string& text, BSTR* out) { return GiveText(Widen(text), out); }

void GiveChild(LONG child, VARIANT* out) noexcept {
    out->vt = VT_I4;
    out->lVal = child;
}

HRESULT GiveNothing(VARIANT* out) noexcept {
    out->vt = VT_EMPTY;
    return S_FALSE;
}

RECT ScreenRect(HWND window, RECT rect) noexcept {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// Every method answers for the page as it is at the call: a child ID names
// the cell at that place of the page now, and once the page is gone every
// method says that the object is disconnected.
class PageAccessibility::Object final : public IAccessible {
public:
    explicit Object(TabPage& page) noexcept : page_(&page) {}
    void Disconnect() noexcept { page_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        const bool known = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible;
        *object = known ? static_cast<IAccessible*>(this) : nullptr;
        if (!known) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients of MSAA call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override {
        return E_NOTIMPL;
    }

    // The window object around the page's client area, as Windows makes it for any window.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        return Guarded([&](TabPage& page) {
            return CreateStdAccessibleObject(page.Handle(), OBJID_WINDOW, IID_IDispatch,
                                             reinterpret_cast<void**>(parent));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
        if (!count) return E_POINTER;
        return Guarded([&](TabPage& page) {
            *count = page.CellCount();
            return S_OK;
        });
    }
    // The cells are simple children: they have no objects of their own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        return ForChild(child, [](TabPage&, ButtonCell* cell) { return cell ? S_FALSE : E_INVALIDARG; });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override {
        if (!name) return E_POINTER;
        *name = nullptr;
        return ForChild(child, [&](TabPage& page, ButtonCell* cell) {
            return GiveText(cell ? Speech(page, *cell).name : page.Caption(), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) noexcept override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) noexcept override {
        if (!description) return E_POINTER;
        *description = nullptr;
        return ForChild(child, [&](TabPage& page, ButtonCell* cell) {
            return cell ? GiveText(Speech(page, *cell).description, description) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override {
        if (!role) return E_POINTER;
        VariantInit(role);
        return ForChild(child, [&](TabPage&, ButtonCell* cell) {
            GiveChild(cell ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GROUPING, role);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override {
        if (!state) return E_POINTER;
        VariantInit(state);
        return ForChild(child, [&](TabPage& page, ButtonCell* cell) {
            LONG flags = STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowVisible(page.Handle())) flags |= STATE_SYSTEM_INVISIBLE;
            const bool focusHere = page.HasKeyboard() && (cell ? cell == page.FocusedCell() : page.CellCount() == 0);
            if (focusHere) flags |= STATE_SYSTEM_FOCUSED;
            if (cell && cell->CurrentLook() == ButtonCell::Look::Pressed) flags |= STATE_SYSTEM_PRESSED;
            GiveChild(flags, state);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) noexcept override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG*) noexcept override {
        if (file) *file = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    // The hot key that starts a cell's button from anywhere.
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        return ForChild(
            child, [&](TabPage&, ButtonCell* cell) { return cell ? GiveText(cell->Shortcut(), shortcut) : S_FALSE; });
    }
    // The focused cell while the page has the keyboard; the page itself when it has no cells.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) noexcept override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        return Guarded([&](TabPage& page) {
            if (!page.HasKeyboard()) return GiveNothing(focus);
            GiveChild(page.IndexOf(page.FocusedCell()) + 1, focus);  // 0, the page itself, without cells
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) noexcept override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
        if (!action) return E_POINTER;
        *action = nullptr;
        return ForChild(child, [&](TabPage&, ButtonCell* cell) {
            return cell ? GiveText(std::wstring(kPressAction), action) : S_FALSE;
        });
    }
    // Taking the focus moves the page's focus to the cell and gives the page the keyboard.
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) noexcept override {
        if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
        return ForChild(child, [&](TabPage& page, ButtonCell* cell) {
            page.FocusCellAndPage(cell ? cell : page.FocusedCell());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) noexcept override {
        if (!left || !top || !width || !height) return E_POINTER;
        return ForChild(child, [&](TabPage& page, ButtonCell* cell) {
            RECT client{};
            GetClientRect(page.Handle(), &client);
            const RECT rect = ScreenRect(page.Handle(), cell ? cell->Rect() : client);
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
    }
    // From a cell: the next and previous in the page's order, and the cell beside it on the page
    // as the arrow keys find it; from the page: its first and last cell.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) noexcept override {
        if (!end) return E_POINTER;
        VariantInit(end);
        return ForChild(start, [&](TabPage& page, ButtonCell* cell) {
            const int count = page.CellCount();
            if (!cell) {
                if (count == 0 || (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)) {
                    return GiveNothing(end);
                }
                GiveChild(direction == NAVDIR_FIRSTCHILD ? 1 : count, end);
                return S_OK;
            }
            const int index = page.IndexOf(cell);
            int target = -1;
            switch (direction) {
                case NAVDIR_NEXT:
                    target = index + 1 < count ? index + 1 : -1;
                    break;
                case NAVDIR_PREVIOUS:
                    target = index - 1;
                    break;
                case NAVDIR_LEFT:
                case NAVDIR_RIGHT:
                case NAVDIR_UP:
                case NAVDIR_DOWN:
                    target = page.NeighbourIndex(index, ArrowOf(direction));
                    if (target == index) target = -1;
                    break;
                default:
                    return E_INVALIDARG;  // a simple child has no children
            }
            if (target < 0) return GiveNothing(end);
            GiveChild(target + 1, end);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) noexcept override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        return Guarded([&](TabPage& page) {
            POINT point{x, y};
            ScreenToClient(page.Handle(), &point);
            RECT client{};
            GetClientRect(page.Handle(), &client);
            if (!PtInRect(&client, point)) return GiveNothing(hit);
            GiveChild(page.IndexOf(page.CellAt(point)) + 1, hit);  // 0, the page itself, between cells
            return S_OK;
        });
    }
    // The press comes once the call has returned: a client is not held while a dialog it opens is shown.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override {
        return ForChild(child, [](TabPage& page, ButtonCell* cell) {
            if (!cell) return DISP_E_MEMBERNOTFOUND;
            page.PressLater(*cell);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) noexcept override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) noexcept override { return DISP_E_MEMBERNOTFOUND; }

private:
    static FocusKey ArrowOf(LONG direction) noexcept {
        switch (direction) {
            case NAVDIR_LEFT:
                return FocusKey::Left;
            case NAVDIR_RIGHT:
                return FocusKey::Right;
            case NAVDIR_UP:
                return FocusKey::Up;
            default:
                return FocusKey::Down;
        }
    }

    static CellSpeech Speech(const TabPage& page, const ButtonCell& cell) {
        return SpeechOf(cell.Name(), cell.Hint(), page.PlaceOf(cell));
    }

    // Runs step on the page under the program's error policy; disconnected once the page is gone.
    template <typename Step>
    HRESULT Guarded(Step&& step) noexcept {
        TabPage* const page = page_;
        if (!page) return RPC_E_DISCONNECTED;
        return CallGuarded(page->Handle(), [&]() -> HRESULT { return step(*page); }).value_or(E_UNEXPECTED);
    }

    // Runs step with the cell that child names, null for the page itself (CHILDID_SELF).
    template <typename Step>
    HRESULT ForChild(const VARIANT& child, Step&& step) noexcept {
        return Guarded([&](TabPage& page) -> HRESULT {
            if (child.vt != VT_I4) return E_INVALIDARG;
            if (child.lVal == CHILDID_SELF) return step(page, nullptr);
            ButtonCell* const cell = page.CellAtIndex(child.lVal - 1);
            return cell ? step(page, cell) : E_INVALIDARG;
        });
    }

    std::atomic<ULONG> references_{1};
    TabPage* page_;
};

PageAccessibility::PageAccessibility(TabPage& page) noexcept : page_(page) {}

PageAccessibility::~PageAccessibility() {
    if (object_) object_->Disconnect();
}

LRESULT PageAccessibility::Answer(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    if (!object_) object_.reset(new Object(page_));
    return LresultFromObject(IID_IAccessible, wParam, object_.get());
}

}  // namespace tavrin
