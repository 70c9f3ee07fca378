// Type to find: the text typed so far, the buttons it is matched against and
// the best matches. The buttons are taken from the stored records when the
// find begins, so that the buttons of tabs not built yet are found too; the
// main window shows the matches on a results page in place of the page shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rules/ButtonFind.h"

namespace tavrin {

class FindMode {
public:
    // The cells of the results page.
    static constexpr std::size_t kShownMatches = 20;

    [[nodiscard]] bool Active() const noexcept { return index_.has_value(); }
    void Begin(const std::vector<FindCandidate>& candidates);
    // A character typed (a UTF-16 unit, as WM_CHAR gives it) and the last one
    // erased; both find again. Erasing the last character ends nothing: the
    // caller ends the find when Text() is empty.
    void Type(wchar_t character);
    void EraseLast();
    void End();

    [[nodiscard]] const std::wstring& Text() const noexcept { return typed_; }
    [[nodiscard]] const FindResult& Result() const noexcept { return result_; }
    // What the status bar says: the text typed and how many buttons match.
    [[nodiscard]] std::string StatusText() const;

private:
    void Find();

    std::optional<ButtonFindIndex> index_;
    std::wstring typed_;
    FindResult result_;
};

}  // namespace tavrin
