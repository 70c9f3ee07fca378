// The find of the main window: the user types a few letters, the buttons of
// all tabs that match are listed best first, and Enter starts the first.
// The caller prepares the buttons once (folding their texts) and re-uses the
// index for every keystroke, which then only scans.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/FindFold.h"

namespace tavrin {

struct FindCandidate {
    int id = 0;
    std::string description;  // UTF-8
    std::string fileName;     // the file name of the command ("notepad.exe"); see CommandFileName
    std::int64_t weekStarts = 0;
    std::int64_t totalStarts = 0;
    std::int64_t lastStart = 0;  // any key that grows with time; 0 = never started
};

struct FindResult {
    std::vector<int> ids;        // best first, at most as many as asked for
    std::size_t matchCount = 0;  // every candidate that matches
};

// How a text matches the typed text, best first.
enum class FindMatch : unsigned char {
    Prefix,     // the text starts with it
    WordStart,  // a later word starts with it
    Initials,   // it is the initials of consecutive words, from any word on ("vsc", "sc": "Visual Studio Code")
    Inside,     // it occurs elsewhere
    None,
};

// How text matches typed text, both folded.
[[nodiscard]] FindMatch MatchOf(const FoldedText& text, std::string_view typed) noexcept;

class ButtonFindIndex {
public:
    explicit ButtonFindIndex(const std::vector<FindCandidate>& candidates);

    // The candidates whose description or file name (without its extension)
    // matches typed, folded alike; each counts with the better of the two.
    // Ranked by match, then more starts this week, more starts in all, the
    // later last start and the lower id. Spaces around typed are left out;
    // typed text of nothing else matches nothing.
    [[nodiscard]] FindResult Find(std::string_view typed, std::size_t maxResults) const;

private:
    struct Entry {
        FoldedText description;
        FoldedText fileStem;
        int id;
        std::int64_t weekStarts, totalStarts, lastStart;
    };
    std::vector<Entry> entries_;
};

// The file name of a command as the button stores it: quotes dropped, the
// part after the last \ or /, trailing separators ignored
// ("\"C:\\Program Files\\App\\app.exe\"" gives "app.exe", "D:\\Games\\" gives "Games").
[[nodiscard]] std::string CommandFileName(std::string_view command);

}  // namespace tavrin
