// Runs a function when the scope ends, however it ends: for state that must be
// put back (a flag, a selected GDI object) where no owner class fits.
#pragma once

#include <utility>

namespace tavrin {

template <typename Function>
class ScopeExit {
public:
    explicit ScopeExit(Function function) noexcept : function_(std::move(function)) {}
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function function_;
};

}  // namespace tavrin
