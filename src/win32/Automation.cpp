#include "win32/Automation.h"

#include <oleauto.h>

#include <new>
#include <utility>
#include <vector>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// The arguments of one call, cleared (texts freed) when it is over.
class VariantList {
public:
    VariantList() = default;
    VariantList(const VariantList&) = delete;
    VariantList& operator=(const VariantList&) = delete;
    ~VariantList() {
        for (VARIANT& value : values_) VariantClear(&value);
    }

    // IDispatch takes the arguments last first.
    void AddInReverse(std::initializer_list<AutomationValue> arguments) {
        values_.reserve(arguments.size());
        for (auto argument = arguments.end(); argument != arguments.begin();) Add(*--argument);
    }

    void Add(const AutomationValue& argument) {
        VARIANT value;
        VariantInit(&value);
        if (const int* number = std::get_if<int>(&argument)) {
            value.vt = VT_I4;
            value.lVal = *number;
        } else if (const bool* truth = std::get_if<bool>(&argument)) {
            value.vt = VT_BOOL;
            value.boolVal = *truth ? VARIANT_TRUE : VARIANT_FALSE;
        } else {
            const std::wstring& text = std::get<std::wstring>(argument);
            value.vt = VT_BSTR;
            value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            if (!value.bstrVal) throw std::bad_alloc();
        }
        values_.push_back(value);
    }

    [[nodiscard]] VARIANT* Data() noexcept { return values_.empty() ? nullptr : values_.data(); }
    [[nodiscard]] UINT Count() const noexcept { return static_cast<UINT>(values_.size()); }

private:
    std::vector<VARIANT> values_;
};

// The result of a call, cleared when it is no longer needed.
struct VariantResult {
    VARIANT value;
    VariantResult() noexcept { VariantInit(&value); }
    VariantResult(const VariantResult&) = delete;
    VariantResult& operator=(const VariantResult&) = delete;
    ~VariantResult() { VariantClear(&value); }
};

void FreeString(BSTR text) noexcept { SysFreeString(text); }
using unique_bstr = UniqueResource<BSTR, FreeString>;

std::string TextOf(BSTR text) { return text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string(); }

[[noreturn]] void ThrowFailure(std::wstring_view name, HRESULT result, EXCEPINFO& exception) {
    if (result == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const unique_bstr source(exception.bstrSource);
    const unique_bstr helpFile(exception.bstrHelpFile);
    const unique_bstr exceptionText(exception.bstrDescription);
    std::string description = result == DISP_E_EXCEPTION ? TextOf(exceptionText.get()) : std::string();
    if (description.empty()) {
        description = "The automation call \"" + Narrow(name) +
                      "\" failed: " + SystemErrorText(static_cast<unsigned long>(result));
    }
    throw AutomationError(description);
}

void Invoke(IDispatch& object, std::wstring_view name, WORD flags, VariantList& arguments, VARIANT* result) {
    std::wstring member(name);
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    EXCEPINFO exception{};
    HRESULT outcome = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(outcome)) ThrowFailure(name, outcome, exception);
    DISPID propertyPut = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{arguments.Data(), nullptr, arguments.Count(), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &propertyPut;
        parameters.cNamedArgs = 1;
    }
    UINT badArgument = 0;
    outcome = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, &exception, &badArgument);
    if (FAILED(outcome)) ThrowFailure(name, outcome, exception);
}

}  // namespace

std::optional<AutomationObject> AutomationObject::Create(const wchar_t* progId) {
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(progId, &classId))) return std::nullopt;
    ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                object.put_void())) ||
        !object) {
        return std::nullopt;
    }
    return AutomationObject(std::move(object));
}

AutomationObject AutomationObject::Get(std::wstring_view name, std::initializer_list<AutomationValue> arguments) const {
    VariantList list;
    list.AddInReverse(arguments);
    VariantResult result;
    Invoke(*object_.get(), name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, list, &result.value);
    if (result.value.vt != VT_DISPATCH || !result.value.pdispVal) {
        throw AutomationError("The automation call \"" + Narrow(name) + "\" gave no object.");
    }
    ComPtr<IDispatch> object;
    object.reset(std::exchange(result.value.pdispVal, nullptr));
    result.value.vt = VT_EMPTY;
    return AutomationObject(std::move(object));
}

void AutomationObject::Put(std::wstring_view name, const AutomationValue& value) const {
    VariantList list;
    list.Add(value);
    Invoke(*object_.get(), name, DISPATCH_PROPERTYPUT, list, nullptr);
}

void AutomationObject::Call(std::wstring_view name, std::initializer_list<AutomationValue> arguments) const {
    VariantList list;
    list.AddInReverse(arguments);
    VariantResult result;  // what a method returns is not needed
    Invoke(*object_.get(), name, DISPATCH_METHOD, list, &result.value);
}

}  // namespace tavrin
