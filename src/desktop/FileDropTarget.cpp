#include "desktop/FileDropTarget.h"

#include <shlobj.h>
#include <shellapi.h>

#include <atomic>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "win32/ErrorDisplay.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// The data of one format of a data object, released with it.
class DataMedium {
public:
    DataMedium(IDataObject& data, CLIPFORMAT format) noexcept {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        got_ = SUCCEEDED(data.GetData(&wanted, &medium_)) && medium_.tymed == TYMED_HGLOBAL;
        if (!got_ && medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
    }
    ~DataMedium() {
        if (got_) ReleaseStgMedium(&medium_);
    }
    DataMedium(const DataMedium&) = delete;
    DataMedium& operator=(const DataMedium&) = delete;
    [[nodiscard]] HGLOBAL Global() const noexcept { return got_ ? medium_.hGlobal : nullptr; }

private:
    STGMEDIUM medium_{};
    bool got_ = false;
};

// The bytes of a global memory block, locked while in view.
class LockedBytes {
public:
    explicit LockedBytes(HGLOBAL global) noexcept
        : global_(global),
          bytes_(global ? static_cast<const char*>(GlobalLock(global)) : nullptr),
          size_(bytes_ ? GlobalSize(global) : 0) {}
    ~LockedBytes() {
        if (bytes_) GlobalUnlock(global_);
    }
    LockedBytes(const LockedBytes&) = delete;
    LockedBytes& operator=(const LockedBytes&) = delete;
    [[nodiscard]] const char* Data() const noexcept { return bytes_; }
    [[nodiscard]] std::size_t Size() const noexcept { return size_; }
    // The text at the start of the block, up to its terminating zero or the block's end.
    template <typename Char>
    [[nodiscard]] std::basic_string_view<Char> Text() const noexcept {
        const std::basic_string_view<Char> all(reinterpret_cast<const Char*>(bytes_), size_ / sizeof(Char));
        return all.substr(0, all.find(Char{}));
    }

private:
    HGLOBAL global_;
    const char* bytes_;
    std::size_t size_;
};

using NameReader = std::vector<std::string> (*)(HGLOBAL global);

std::vector<std::string> ReadFileList(HGLOBAL global) {
    const auto drop = static_cast<HDROP>(global);
    std::vector<std::string> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        if (!name.empty()) names.push_back(Narrow(name));
    }
    return names;
}

// The list holds its count, then the offsets of the parent folder's item list
// and of each item's list relative to it. It comes from another program: an
// offset outside the block ends the list.
std::vector<std::string> ReadItemList(HGLOBAL global) {
    const LockedBytes block(global);
    std::vector<std::string> names;
    if (block.Size() < sizeof(CIDA)) return names;
    const auto* const list = reinterpret_cast<const CIDA*>(block.Data());
    const std::size_t offsets = (block.Size() - offsetof(CIDA, aoffset)) / sizeof(UINT);
    const auto item = [&](UINT i) { return reinterpret_cast<LPCITEMIDLIST>(block.Data() + list->aoffset[i]); };
    for (UINT i = 1; i <= list->cidl && i < offsets; ++i) {
        if (list->aoffset[0] >= block.Size() || list->aoffset[i] >= block.Size()) break;
        const unique_cotaskmem<ITEMIDLIST> full(ILCombine(item(0), item(i)));
        wchar_t path[MAX_PATH] = {};
        if (full && SHGetPathFromIDListW(full.get(), path)) names.push_back(Narrow(path));
    }
    return names;
}

std::vector<std::string> ReadWideName(HGLOBAL global) {
    const LockedBytes block(global);
    const std::wstring_view name = block.Text<wchar_t>();
    if (name.empty()) return {};
    return {Narrow(name)};
}

// A name in the ANSI code page; one with bytes the code page does not define names no file.
std::vector<std::string> ReadAnsiName(HGLOBAL global) {
    const LockedBytes block(global);
    const std::string_view name = block.Text<char>();
    if (name.empty()) return {};
    try {
        return {CodePageToUtf8(CP_ACP, name)};
    } catch (const std::range_error&) {
        return {};
    }
}

struct NameFormat {
    CLIPFORMAT format;
    NameReader read;
};

// The single Unicode name comes before the ANSI one, which cannot carry every name.
const std::vector<NameFormat>& NameFormats() {
    const auto registered = [](const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); };
    static const std::vector<NameFormat> formats{{CF_HDROP, ReadFileList},
                                                 {registered(L"Shell IDList Array"), ReadItemList},
                                                 {registered(L"FileNameW"), ReadWideName},
                                                 {registered(L"FileName"), ReadAnsiName}};
    return formats;
}

bool OffersFileNames(IDataObject& data) {
    for (const NameFormat& name : NameFormats()) {
        FORMATETC wanted{name.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (data.QueryGetData(&wanted) == S_OK) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> DroppedFileNames(IDataObject& data) {
    for (const NameFormat& name : NameFormats()) {
        const DataMedium medium(data, name.format);
        if (!medium.Global()) continue;
        std::vector<std::string> names = name.read(medium.Global());
        if (!names.empty()) return names;
    }
    return {};
}

// The COM object that OLE holds while the window is registered. It outlives
// the component when OLE still holds it, and then takes no more drops.
class FileDropTarget::Object final : public IDropTarget {
public:
    Object(HWND window, FileDropHandlers handlers, std::uint32_t accepted)
        : window_(window), handlers_(std::move(handlers)), accepted_(accepted) {}
    void Detach() noexcept { detached_ = true; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = iid == IID_IUnknown || iid == IID_IDropTarget ? static_cast<IDropTarget*>(this) : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override {
        if (!effect) return E_INVALIDARG;
        return Guarded(effect, [&] {
            hasFiles_ = data && OffersFileNames(*data);
            *effect = EffectAt(keys, point, *effect);
        });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) noexcept override {
        if (!effect) return E_INVALIDARG;
        return Guarded(effect, [&] { *effect = EffectAt(keys, point, *effect); });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override {
        return Guarded(nullptr, [&] { handlers_.dragLeave(); });
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override {
        if (!effect) return E_INVALIDARG;
        return Guarded(effect, [&] {
            *effect = data ? EffectAt(keys, point, *effect) : kDropNone;
            handlers_.dragLeave();
            if (*effect == kDropNone) return;
            const std::vector<std::string> names = DroppedFileNames(*data);
            if (names.empty()) {
                *effect = kDropNone;
                return;
            }
            handlers_.drop({point.x, point.y}, names);
        });
    }

private:
    // An exception becomes the error display and refuses the drag.
    template <typename Step>
    HRESULT Guarded(DWORD* effect, Step&& step) noexcept {
        if (detached_) {
            if (effect) *effect = kDropNone;
            return S_OK;
        }
        const bool done = CallGuarded(window_, [&] {
                              step();
                              return true;
                          }).has_value();
        if (!done && effect) *effect = kDropNone;
        return done ? S_OK : E_UNEXPECTED;
    }

    DWORD EffectAt(DWORD keys, POINTL point, DWORD offered) {
        const DragKeys held{(keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0};
        const std::uint32_t effect = hasFiles_ ? ChooseDropEffect(offered, accepted_, held) : kDropNone;
        if (effect != kDropNone && handlers_.dragOver({point.x, point.y})) return effect;
        handlers_.dragLeave();
        return kDropNone;
    }

    std::atomic<ULONG> references_{1};
    HWND window_;
    FileDropHandlers handlers_;
    std::uint32_t accepted_;
    bool hasFiles_ = false;
    bool detached_ = false;
};

FileDropTarget::FileDropTarget(HWND window, FileDropHandlers handlers, std::uint32_t acceptedEffects)
    : window_(window) {
    object_.reset(new Object(window, std::move(handlers), acceptedEffects));
    registered_ = SUCCEEDED(RegisterDragDrop(window_, object_.get()));
}

FileDropTarget::~FileDropTarget() {
    if (registered_) RevokeDragDrop(window_);
    object_->Detach();
}

IDropTarget* FileDropTarget::Target() const noexcept { return object_.get(); }

}  // namespace tavrin
