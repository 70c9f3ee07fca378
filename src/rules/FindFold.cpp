#include "rules/FindFold.h"

#include "xml/AsciiCase.h"
#include "xml/XmlChars.h"

namespace tavrin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Lead bytes of multi-byte sequences: the length of the sequence and the range
// of its second byte, which rules out overlong forms, surrogates and code
// points above U+10FFFF (the table of well-formed sequences of Unicode).
struct LeadBytes {
    unsigned char first, last, length, low, high;
};
constexpr LeadBytes kLeadBytes[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The code point at text[pos], moving pos past it. A byte that does not begin
// a well-formed sequence gives U+FFFD and moves pos by one byte only, so that
// the next character is read as it is.
char32_t DecodeNext(std::string_view text, std::size_t& pos) noexcept {
    const auto byte = [&](std::size_t i) -> unsigned { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    for (const LeadBytes& row : kLeadBytes) {
        if (lead < row.first || lead > row.last) continue;
        if (text.size() - pos < row.length || byte(1) < row.low || byte(1) > row.high) break;
        char32_t code = lead & (0xFFu >> (row.length + 1));
        for (std::size_t i = 1; i < row.length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) {
                ++pos;
                return kReplacement;
            }
            code = code << 6 | (byte(i) & 0x3F);
        }
        pos += row.length;
        return code;
    }
    ++pos;
    return kReplacement;
}

enum class Kind : unsigned char { Separator, Mark, Lower, Upper, Uncased };

// One character folded: one or two code points (a mark folds to none).
struct Folded {
    char32_t first = 0;
    char32_t second = 0;
    Kind kind = Kind::Uncased;
};

// Latin letters from U+00C0 to U+017F and from U+1E00 to U+1EFF: the base
// letter, a capital for an upper-case letter; '.' marks a sign that is not a
// letter, '*' a letter that folds to two (kTwoLetterFolds).
constexpr std::string_view kLatin1AndExtendedA =
    "AAAAAA*CEEEEIIIIDNOOOOO.OUUUUY**"                                              // U+00C0
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy*y"                                              // U+00E0
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLlNnNnNnnNn"  // U+0100
    "OoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";                         // U+014C
constexpr std::string_view kLatinExtendedAdditional =
    "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMmMmMmNnNnNnNn"  // U+1E00
    "OoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVvWwWwWwWwWwXxXxYyZzZzZz"    // U+1E4C
    "htwyasss*d"                                                                    // U+1E96
    "AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEeEeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOo"          // U+1EA0
    "UuUuUuUuUuUuUuYyYyYyYyLlVvYy";                                                 // U+1EE4
constexpr char32_t kLatinExtendedAdditionalStart = 0x1E00;

struct TwoLetterFold {
    char32_t code;
    char first, second;
    Kind kind;
};
constexpr TwoLetterFold kTwoLetterFolds[] = {
    {0x00C6, 'a', 'e', Kind::Upper}, {0x00DE, 't', 'h', Kind::Upper}, {0x00DF, 's', 's', Kind::Lower},
    {0x00E6, 'a', 'e', Kind::Lower}, {0x00FE, 't', 'h', Kind::Lower}, {0x0132, 'i', 'j', Kind::Upper},
    {0x0133, 'i', 'j', Kind::Lower}, {0x0152, 'o', 'e', Kind::Upper}, {0x0153, 'o', 'e', Kind::Lower},
    {0x1E9E, 's', 's', Kind::Upper},
};

Folded FoldLatin(char32_t code, char letter) noexcept {
    if (letter == '*') {
        for (const TwoLetterFold& fold : kTwoLetterFolds) {
            if (fold.code == code) return {char32_t(fold.first), char32_t(fold.second), fold.kind};
        }
    }
    if (letter == '.') return {code, 0, Kind::Separator};
    const bool upper = letter >= 'A' && letter <= 'Z';
    return {char32_t(AsciiLower(letter)), 0, upper ? Kind::Upper : Kind::Lower};
}

// Greek from U+0386 to U+03CE, folded to small letters without tonos and
// dialytika, final sigma to sigma; '.' marks a sign or an unassigned code.
// The capitals are the codes below U+03AC except U+0390.
constexpr std::u32string_view kGreek =
    U"α.εηι.ο.υωι"                  // U+0386
    U"αβγδεζηθικλμνξοπρ.στυφχψωιυ"  // U+0391
    U"αεηιυ"                        // U+03AC
    U"αβγδεζηθικλμνξοπρσστυφχψω"    // U+03B1
    U"ιυουω";                       // U+03CA
constexpr char32_t kGreekStart = 0x0386;

Folded FoldGreek(char32_t code) noexcept {
    const char32_t folded = kGreek[code - kGreekStart];
    if (folded == U'.') return {code, 0, Kind::Separator};
    return {folded, 0, code < 0x03AC && code != 0x0390 ? Kind::Upper : Kind::Lower};
}

// Cyrillic from U+0400 to U+052F: Ѐ to Џ and А to Я have their small letters
// at fixed distances; most later letters come in pairs of a capital and its
// small letter, the capital at the even code (at the odd one from U+04C1 to
// U+04CE). ѐ and ё fold to е, ѝ to и.
Folded FoldCyrillic(char32_t code) noexcept {
    if (code >= 0x0482 && code <= 0x0489) return {code, 0, code == 0x0482 ? Kind::Separator : Kind::Mark};
    char32_t lower = code;
    bool upper = true;
    if (code < 0x0410) {
        lower = code + 0x50;
    } else if (code < 0x0430) {
        lower = code + 0x20;
    } else if (code < 0x0460) {
        upper = false;
    } else if (code == 0x04C0) {
        lower = 0x04CF;
    } else {
        const bool oddCapitals = code >= 0x04C1 && code <= 0x04CE;
        upper = (code % 2 == 1) == oddCapitals;
        if (upper) lower = code + 1;
    }
    if (lower == 0x0450 || lower == 0x0451) lower = 0x0435;
    if (lower == 0x045D) lower = 0x0438;
    return {lower, 0, upper ? Kind::Upper : Kind::Lower};
}

// Space and punctuation beyond ASCII: the Latin-1 signs, general and
// supplemental punctuation, CJK punctuation, the byte-order mark and U+FFFD.
struct CodeRange {
    char32_t first, last;
};
constexpr CodeRange kSeparators[] = {{0x0080, 0x00BF}, {0x037E, 0x037E}, {0x2000, 0x206F}, {0x2E00, 0x2E7F},
                                     {0x3000, 0x303F}, {0xFEFF, 0xFEFF}, {0xFFFD, 0xFFFD}};

Folded FoldChar(char32_t code) noexcept {
    if (code < 0x80) {
        const char c = static_cast<char>(code);
        if (c >= 'A' && c <= 'Z') return {char32_t(AsciiLower(c)), 0, Kind::Upper};
        if (c >= 'a' && c <= 'z') return {code, 0, Kind::Lower};
        return {code, 0, c >= '0' && c <= '9' ? Kind::Uncased : Kind::Separator};
    }
    if (code >= 0x00C0 && code <= 0x017F) return FoldLatin(code, kLatin1AndExtendedA[code - 0x00C0]);
    if (code >= 0x0218 && code <= 0x021B) return FoldLatin(code, "SsTt"[code - 0x0218]);  // Romanian Ș ș Ț ț
    if (code >= 0x0300 && code <= 0x036F) return {0, 0, Kind::Mark};  // combining accents of decomposed text
    if (code >= kGreekStart && code < kGreekStart + kGreek.size()) return FoldGreek(code);
    if (code >= 0x0400 && code <= 0x052F) return FoldCyrillic(code);
    if (code >= kLatinExtendedAdditionalStart &&
        code < kLatinExtendedAdditionalStart + kLatinExtendedAdditional.size()) {
        return FoldLatin(code, kLatinExtendedAdditional[code - kLatinExtendedAdditionalStart]);
    }
    for (const CodeRange& range : kSeparators) {
        if (code >= range.first && code <= range.last) return {code, 0, Kind::Separator};
    }
    return {code, 0, Kind::Uncased};
}

}  // namespace

FoldedText FoldForFind(std::string_view text) {
    FoldedText folded;
    folded.text.reserve(text.size());
    Kind previous = Kind::Separator;
    for (std::size_t pos = 0; pos < text.size();) {
        const Folded c = FoldChar(DecodeNext(text, pos));
        if (c.kind == Kind::Mark) continue;
        const bool startsWord = c.kind != Kind::Separator &&
                                (previous == Kind::Separator || (c.kind == Kind::Upper && previous == Kind::Lower));
        if (startsWord) {
            folded.wordStarts.push_back(static_cast<std::uint32_t>(folded.text.size()));
            AppendUtf8(folded.initials, c.first);
        }
        AppendUtf8(folded.text, c.first);
        if (c.second != 0) AppendUtf8(folded.text, c.second);
        previous = c.kind;
    }
    return folded;
}

}  // namespace tavrin
