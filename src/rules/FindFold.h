// Text as the find of the main window compares it: UTF-8 folded so that case
// and accents of Latin, Cyrillic and Greek letters do not matter ("Éditeur"
// and "EDITEUR" both fold to "editeur", "Блокнот" to "блокнот", "Ώρα" to
// "ωρα"), with the places where its words begin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct FoldedText {
    std::string text;                       // folded UTF-8
    std::vector<std::uint32_t> wordStarts;  // byte offsets in text where a word begins, ascending
    std::string initials;                   // the first folded character of each word, in order
};

// Folds text and marks its words. A word is a run of letters, digits and other
// characters that are not space or punctuation; an upper-case letter after a
// lower-case one also begins a word ("TotalCmd" holds "Total" and "Cmd").
// Each byte that is not part of well-formed UTF-8 becomes U+FFFD, which
// separates words like punctuation.
[[nodiscard]] FoldedText FoldForFind(std::string_view text);

}  // namespace tavrin
