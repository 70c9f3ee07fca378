#include "rules/ButtonFind.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace tavrin {
namespace {

// The extension would make every ".exe" a word that starts with "e", "ex"
// and "exe", crowding out the buttons the user means.
std::string_view Stem(std::string_view fileName) noexcept {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

}  // namespace

FindMatch MatchOf(const FoldedText& text, std::string_view typed) noexcept {
    const std::string_view folded = text.text;
    const std::size_t first = folded.find(typed);
    if (first == 0) return FindMatch::Prefix;
    if (first != std::string_view::npos) {
        for (const std::uint32_t start : text.wordStarts) {
            if (start >= first && folded.substr(start).starts_with(typed)) return FindMatch::WordStart;
        }
    }
    // The initials hold no separators, and "vsc" is not in "visual studio code".
    if (std::string_view(text.initials).find(typed) != std::string_view::npos) return FindMatch::Initials;
    return first == std::string_view::npos ? FindMatch::None : FindMatch::Inside;
}

ButtonFindIndex::ButtonFindIndex(const std::vector<FindCandidate>& candidates) {
    entries_.reserve(candidates.size());
    for (const FindCandidate& candidate : candidates) {
        entries_.push_back({FoldForFind(candidate.description), FoldForFind(Stem(candidate.fileName)), candidate.id,
                            candidate.weekStarts, candidate.totalStarts, candidate.lastStart});
    }
}

FindResult ButtonFindIndex::Find(std::string_view typed, std::size_t maxResults) const {
    FindResult result;
    // A space typed before or after the letters is no part of what is looked
    // for: a lone space would match every name of two words.
    const std::string folded = FoldForFind(typed).text;
    const std::size_t first = folded.find_first_not_of(' ');
    if (first == std::string::npos) return result;
    const std::string_view wanted = std::string_view(folded).substr(first, folded.find_last_not_of(' ') + 1 - first);

    struct Hit {
        FindMatch match;
        const Entry* entry;
    };
    std::vector<Hit> hits;
    for (const Entry& entry : entries_) {
        FindMatch match = MatchOf(entry.description, wanted);
        if (match != FindMatch::Prefix) match = std::min(match, MatchOf(entry.fileStem, wanted));
        if (match != FindMatch::None) hits.push_back({match, &entry});
    }
    const auto better = [](const Hit& a, const Hit& b) {
        const Entry& x = *a.entry;
        const Entry& y = *b.entry;
        return std::tie(a.match, y.weekStarts, y.totalStarts, y.lastStart, x.id) <
               std::tie(b.match, x.weekStarts, x.totalStarts, x.lastStart, y.id);
    };
    const std::size_t shown = std::min(maxResults, hits.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(shown), hits.end(), better);

    result.matchCount = hits.size();
    result.ids.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i) result.ids.push_back(hits[i].entry->id);
    return result;
}

std::string CommandFileName(std::string_view command) {
    std::string path;
    std::copy_if(command.begin(), command.end(), std::back_inserter(path), [](char c) { return c != '"'; });
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace tavrin
