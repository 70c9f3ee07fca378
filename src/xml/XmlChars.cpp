#include "xml/XmlChars.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tavrin {

bool IsXmlName(std::string_view text) noexcept {
    return !text.empty() && IsNameStart(text.front()) && std::all_of(text.begin(), text.end(), IsNameChar);
}

std::size_t XmlCharLength(std::string_view text, std::size_t offset) noexcept {
    const auto byte = [&](std::size_t i) {
        return offset + i < text.size() ? static_cast<unsigned char>(text[offset + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) return IsXmlChar(lead) ? 1 : 0;
    // The allowed range of the second byte excludes overlong forms, surrogates and values above 10FFFF.
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    if (lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE) return 0;  // U+FFFE and U+FFFF
    return length;
}

namespace {

#if defined(__SSE2__) || defined(_M_X64)
constexpr std::size_t kBlock = 16;

// True when a byte of the 16 at p is no plain XML character on its own: a
// control character other than tab, line feed and carriage return, or a byte
// of a non-ASCII sequence, which needs the closer look. As signed bytes, both
// kinds are below the blank.
bool BlockNeedsCheck(const char* p) noexcept {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i belowBlank = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    const __m128i layout = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    return _mm_movemask_epi8(_mm_andnot_si128(layout, belowBlank)) != 0;
}
#else
constexpr std::size_t kBlock = 8;

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The high bit of each byte of word that equals c. Working on seven bits at a
// time keeps a carry from crossing into the next byte.
constexpr std::uint64_t BytesEqual(std::uint64_t word, unsigned char c) noexcept {
    const std::uint64_t x = word ^ (c * kOnes);
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// True when a byte of the 8 at p is no plain XML character on its own: a
// control character other than tab, line feed and carriage return, or a byte
// of a non-ASCII sequence, which needs the closer look.
bool BlockNeedsCheck(const char* p) noexcept {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t fromBlank = ((word & ~kHighBits) + (0x80 - 0x20) * kOnes) & kHighBits;
    const std::uint64_t control = ~(fromBlank | word) & kHighBits;
    const std::uint64_t layout = BytesEqual(word, '\t') | BytesEqual(word, '\n') | BytesEqual(word, '\r');
    return ((control & ~layout) | (word & kHighBits)) != 0;
}
#endif

}  // namespace

std::size_t FindNonXmlChar(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size()) {
        // A block at a time while none of its bytes needs a closer look.
        if (i + kBlock <= text.size() && !BlockNeedsCheck(text.data() + i)) {
            i += kBlock;
            continue;
        }
        for (const std::size_t end = std::min(i + kBlock, text.size()); i < end;) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 0x20 && c < 0x80) {
                ++i;
                continue;
            }
            const std::size_t length = XmlCharLength(text, i);
            if (length == 0) return i;
            i += length;
        }
    }
    return std::string_view::npos;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&](unsigned value) { out += static_cast<char>(value); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace tavrin
