#include "app/TabPage.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "rules/FocusMove.h"
#include "win32/PaintScope.h"

namespace tavrin {
namespace {

// Posted to the page by PressLater: wParam is the index of the cell to press.
constexpr UINT kPressCellMessage = WM_APP;

POINT PointOf(LPARAM lParam) noexcept { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

std::optional<FocusKey> FocusKeyOf(UINT key) noexcept {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return std::nullopt;
    switch (key) {
        case VK_LEFT:
            return FocusKey::Left;
        case VK_RIGHT:
            return FocusKey::Right;
        case VK_UP:
            return FocusKey::Up;
        case VK_DOWN:
            return FocusKey::Down;
        case VK_HOME:
            return FocusKey::Home;
        case VK_END:
            return FocusKey::End;
        default:
            return std::nullopt;
    }
}

CellRect CellRectOf(const RECT& rect) noexcept {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

// The class takes double clicks, so that the second press of a double click is
// not a second click.
TabPage::TabPage(HWND parent, Listeners listeners) : listeners_(std::move(listeners)) {
    Create(L"TavrinTabPage", {.style = CS_DBLCLKS},
           {.exStyle = WS_EX_CONTROLPARENT, .style = WS_CHILD | WS_CLIPCHILDREN, .parent = parent});
}

// A cell whose hint changes under the pointer (cleared, edited) has the
// listener hear the new hint at once, not when the pointer next comes onto it.
ButtonCell& TabPage::AddCell(const CellRect& place, int iconSize, int tag, ButtonCell::Listener listener) {
    const auto hintChanged = [this](const ButtonCell& cell) {
        if (&cell == hovered_ && listeners_.hint) listeners_.hint(&cell);
    };
    return *cells_.emplace_back(
        std::make_unique<ButtonCell>(Handle(), place, iconSize, tag, std::move(listener), hintChanged));
}

void TabPage::SetDivider(const CellRect& area) {
    divider_ = area;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TabPage::ClearCells() {
    hovered_ = nullptr;
    pressed_ = nullptr;
    focused_ = nullptr;
    for (const auto& cell : cells_) InvalidateRect(Handle(), &cell->Rect(), TRUE);
    cells_.clear();
}

ButtonCell* TabPage::CellAt(POINT point) const noexcept {
    for (const auto& cell : cells_) {
        if (cell->Contains(point)) return cell.get();
    }
    return nullptr;
}

ButtonCell* TabPage::CellAtIndex(int index) const noexcept {
    return index >= 0 && index < CellCount() ? cells_[static_cast<size_t>(index)].get() : nullptr;
}

int TabPage::IndexOf(const ButtonCell* cell) const noexcept {
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (cells_[i].get() == cell) return static_cast<int>(i);
    }
    return -1;
}

int TabPage::NeighbourIndex(int index, FocusKey key) const {
    std::vector<CellRect> places;
    places.reserve(cells_.size());
    for (const auto& cell : cells_) places.push_back(CellRectOf(cell->Rect()));
    return MovedFocus(places, index, key);
}

void TabPage::PressLater(const ButtonCell& cell) {
    if (const int index = IndexOf(&cell); index >= 0) PostMessageW(Handle(), kPressCellMessage, index, 0);
}

ButtonCell* TabPage::FocusedCell() const noexcept {
    if (focused_) return focused_;
    return cells_.empty() ? nullptr : cells_.front().get();
}

void TabPage::SetFocusedCell(ButtonCell* cell) {
    if (cell == focused_) return;
    InvalidateFocus();
    focused_ = cell;
    InvalidateFocus();
    if (HasKeyboard()) AnnounceFocus();
}

void TabPage::FocusCellAndPage(ButtonCell* cell) {
    SetFocusedCell(cell);
    SetFocus(Handle());
}

// Screen readers hear which cell has the focus; the child IDs of the cells start at 1.
void TabPage::AnnounceFocus() const {
    if (const int index = IndexOf(FocusedCell()); index >= 0) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, index + 1);
    }
}

// A press gives the pressed cell the focus, and the page the keyboard when its window is the active one:
// a press sent to an inactive window does not activate it.
void TabPage::TakeFocus(ButtonCell* cell) {
    SetFocusedCell(cell);
    if (GetActiveWindow() == GetAncestor(Handle(), GA_ROOT)) SetFocus(Handle());
}

void TabPage::InvalidateFocus() const {
    if (const ButtonCell* const cell = FocusedCell()) InvalidateRect(Handle(), &cell->Rect(), TRUE);
}

bool TabPage::MoveFocus(UINT key) {
    const std::optional<FocusKey> focusKey = FocusKeyOf(key);
    if (!focusKey || cells_.empty()) return false;
    SetFocusedCell(CellAtIndex(NeighbourIndex(IndexOf(FocusedCell()), *focusKey)));
    focusByKeyboard_ = true;
    if (listeners_.hint) listeners_.hint(FocusedCell());  // the status bar says what the focus is on
    return true;
}

// The window and all its controls show focus cues from now on, as the dialog manager does once a key is used.
void TabPage::ShowFocusCues() {
    SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void TabPage::Paint() {
    const PaintScope paint(Handle());
    const HDC dc = paint.Dc();
    if (divider_) {
        // A raised vertical line, as a bevel of this width draws it.
        const int middle = divider_->left + divider_->width / 2;
        RECT line{middle - 1, divider_->top, middle + 1, divider_->top + divider_->height};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
    }
    for (const auto& cell : cells_) {
        RECT overlap;
        if (IntersectRect(&overlap, &cell->Rect(), &paint.Area())) cell->Paint(dc);
    }
    const ButtonCell* const focused = FocusedCell();
    const bool cuesHidden = (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (focused && GetFocus() == Handle() && !cuesHidden) {
        RECT focus = focused->Rect();
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

// While the left button is held the pressed cell keeps the pointer, as its capture did.
void TabPage::TrackPointer(POINT point) {
    if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    if (!pressed_) SetHovered(CellAt(point));
}

void TabPage::SetHovered(ButtonCell* cell) {
    if (cell == hovered_) return;
    hovered_ = cell;
    if (cell) focusByKeyboard_ = false;
    if (listeners_.hint) listeners_.hint(cell);
}

void TabPage::LeftButtonUp(POINT point) {
    ButtonCell* const cell = std::exchange(pressed_, nullptr);
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!cell) return;
    const bool inside = cell->Contains(point);
    const bool onFrame = inside && cell->OnFrame(point);
    if (pressedOnFrame_) {
        if (inside && onFrame) cell->Notify(ButtonCell::Event::FrameClick);
        return;
    }
    cell->Notify(ButtonCell::Event::MouseUp);
    if (inside && !onFrame) cell->Notify(ButtonCell::Event::Click);
}

// The capture went elsewhere mid-press: the cell comes up, and a later release
// over it starts nothing.
void TabPage::CancelPress() {
    ButtonCell* const cell = std::exchange(pressed_, nullptr);
    if (!cell) return;
    if (!pressedOnFrame_) cell->Notify(ButtonCell::Event::MouseUp);
    SetHovered(nullptr);
}

LRESULT TabPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SETFOCUS:
            InvalidateFocus();
            AnnounceFocus();
            return 0;
        case WM_KILLFOCUS:
            InvalidateFocus();
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT object = accessibility_.Answer(wParam, lParam)) return object;
            break;
        case kPressCellMessage:
            if (ButtonCell* const cell = CellAtIndex(static_cast<int>(wParam))) cell->Press();
            return 0;
        case WM_UPDATEUISTATE:
            InvalidateFocus();
            break;
        case WM_KEYDOWN:
            if (MoveFocus(static_cast<UINT>(wParam)) || (listeners_.key && listeners_.key(message, wParam, lParam))) {
                ShowFocusCues();
                return 0;
            }
            break;
        case WM_CHAR:
            if (listeners_.key && listeners_.key(message, wParam, lParam)) return 0;
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT point{};
                GetCursorPos(&point);
                ScreenToClient(Handle(), &point);
                const ButtonCell* const cell = CellAt(point);
                const HCURSOR cursor = cell && cell->Cursor() ? cell->Cursor() : cursor_;
                if (cursor) {
                    ::SetCursor(cursor);
                    return TRUE;
                }
            }
            break;
        case WM_MOUSEMOVE:
            TrackPointer(PointOf(lParam));
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (!pressed_) SetHovered(nullptr);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) CancelPress();
            return 0;
        case WM_CANCELMODE:
            CancelPress();
            if (GetCapture() == Handle()) ReleaseCapture();
            return 0;
        case WM_LBUTTONDBLCLK:
            return 0;  // the second press of a double click: the first one clicked already
        case WM_LBUTTONDOWN: {
            const POINT point = PointOf(lParam);
            ButtonCell* const cell = CellAt(point);
            if (!cell) {
                listeners_.emptyAreaPressed();
                return 0;
            }
            TakeFocus(cell);
            SetCapture(Handle());
            pressed_ = cell;
            pressedOnFrame_ = cell->OnFrame(point);
            if (!pressedOnFrame_) cell->Notify(ButtonCell::Event::LeftDown);
            return 0;
        }
        case WM_LBUTTONUP:
            LeftButtonUp(PointOf(lParam));
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP: {
            // The frame belongs to the cell here: its context menu must act on this cell.
            const bool down = message != WM_RBUTTONUP;
            if (ButtonCell* const cell = CellAt(PointOf(lParam))) {
                if (down) TakeFocus(cell);
                cell->Notify(down ? ButtonCell::Event::RightDown : ButtonCell::Event::MouseUp);
            } else if (message == WM_RBUTTONDOWN) {
                listeners_.emptyAreaPressed();
            }
            if (down) return 0;
            break;  // the default handling turns the button's release into WM_CONTEXTMENU
        }
        case WM_CONTEXTMENU: {
            // The keyboard's menu key (-1, -1) gives no place: the parents' default handling passes it on.
            if (lParam == -1) break;
            POINT point = PointOf(lParam);
            ScreenToClient(Handle(), &point);
            if (ButtonCell* const cell = CellAt(point)) cell->Notify(ButtonCell::Event::ContextMenu);
            return 0;
        }
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tavrin
