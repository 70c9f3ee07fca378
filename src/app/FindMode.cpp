#include "app/FindMode.h"

#include "win32/Utf16.h"

namespace tavrin {

void FindMode::Begin(const std::vector<FindCandidate>& candidates) {
    index_.emplace(candidates);
    typed_.clear();
    result_ = {};
}

void FindMode::Type(wchar_t character) {
    typed_.push_back(character);
    Find();
}

// A character outside the first plane is two units: both go.
void FindMode::EraseLast() {
    if (typed_.empty()) return;
    const bool secondHalf = typed_.back() >= 0xDC00 && typed_.back() <= 0xDFFF;
    typed_.pop_back();
    if (secondHalf && !typed_.empty() && typed_.back() >= 0xD800 && typed_.back() <= 0xDBFF) typed_.pop_back();
    Find();
}

void FindMode::End() {
    index_.reset();
    typed_.clear();
    result_ = {};
}

// A first half typed alone is kept until its second half comes.
void FindMode::Find() {
    if (index_) result_ = index_->Find(Narrow(typed_), kShownMatches);
}

std::string FindMode::StatusText() const {
    const std::size_t count = result_.matchCount;
    const std::string matches = count == 0   ? "no button matches"
                                : count == 1 ? "1 button matches"
                                             : std::to_string(count) + " buttons match";
    return "Find \"" + Narrow(typed_) + "\": " + matches + " (Enter starts, Esc goes back)";
}

}  // namespace tavrin
