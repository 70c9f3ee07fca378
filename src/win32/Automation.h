// Late-bound OLE automation: the properties and methods of an automation
// object reached by name through IDispatch, as a script would call them.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "win32/ComPtr.h"

namespace tavrin {

// An argument or a value to set: a number, a truth value or a text.
using AutomationValue = std::variant<int, bool, std::wstring>;

// A call that the object refused or that failed in it; the text is the
// object's own description when it gave one.
class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class AutomationObject {
public:
    explicit AutomationObject(ComPtr<IDispatch> object) noexcept : object_(std::move(object)) {}

    // The object registered under progId, in process or in a program of its
    // own; nothing when no server answers to the name.
    [[nodiscard]] static std::optional<AutomationObject> Create(const wchar_t* progId);

    // A property read or a method called for the object it gives.
    [[nodiscard]] AutomationObject Get(std::wstring_view name,
                                       std::initializer_list<AutomationValue> arguments = {}) const;
    // A property set.
    void Put(std::wstring_view name, const AutomationValue& value) const;
    // A method called for what it does.
    void Call(std::wstring_view name, std::initializer_list<AutomationValue> arguments = {}) const;

private:
    ComPtr<IDispatch> object_;
};

}  // namespace tavrin
