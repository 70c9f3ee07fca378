// Reads the text form into a document. The reader accepts what Tavrin and
// earlier versions wrote and what a person is likely to type into such a file:
// single-quoted attributes, comments, CDATA and processing instructions. It
// refuses what XML 1.0 refuses (duplicate attributes, control characters,
// "]]>" in text, "--" in comments), since such a file is not one that other
// programs can read, and a document type declaration, which no file of Tavrin
// holds and whose entities and defaults would change what the file says. Any
// fault raises XmlError with the line and column.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "xml/AsciiCase.h"
#include "xml/XmlChars.h"
#include "xml/XmlError.h"
#include "xml/XmlTree.h"

namespace tavrin {
namespace {

constexpr std::string_view BinarySignature = "< binary-xml >";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
// Deeper nesting than any store writes; the limit keeps the recursion of the
// reader, the writer and the node destructors within the stack.
constexpr int MaxDepth = 256;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "U+0001" for a character of the Basic Multilingual Plane.
std::string CodePointName(char32_t codePoint) {
    std::string name = "U+";
    for (int shift = 12; shift >= 0; shift -= 4) name += "0123456789ABCDEF"[(codePoint >> shift) & 0xF];
    return name;
}

// Why the character that starts text is refused.
std::string NonXmlCharMessage(std::string_view text) {
    char32_t codePoint = static_cast<unsigned char>(text.front());
    if (text.starts_with("\xEF\xBF\xBE") || text.starts_with("\xEF\xBF\xBF")) {
        codePoint = text[2] == '\xBE' ? 0xFFFE : 0xFFFF;
    } else if (codePoint >= 0x20) {
        return "the text is not valid UTF-8";
    }
    return "the character " + CodePointName(codePoint) + " is not allowed in XML";
}

// The bytes that end a run of plain character data: in text, "<", "&" and the
// "]" of a "]]>"; in an attribute value, "<", "&" and its quote.
using ByteSet = std::array<bool, 256>;
constexpr ByteSet BytesOf(std::string_view bytes) {
    ByteSet set{};
    for (const char c : bytes) set[static_cast<unsigned char>(c)] = true;
    return set;
}
constexpr ByteSet TextStops = BytesOf("<&]");
constexpr ByteSet DoubleQuotedStops = BytesOf("<&\"");
constexpr ByteSet SingleQuotedStops = BytesOf("<&'");
constexpr ByteSet NameChars = [] {
    ByteSet set{};
    for (int c = 0; c < 256; ++c) set[static_cast<std::size_t>(c)] = IsNameChar(static_cast<char>(c));
    return set;
}();

class XmlReader {
public:
    // Decoded attribute values are kept in pool, which must live as long as the document.
    XmlReader(std::string_view text, const std::string& fileName, XmlDocument& document, XmlNodePool& pool)
        : text_(text),
          fileName_(fileName),
          document_(document),
          pool_(pool),
          names_(document.NameTable()),
          preserveWhiteSpace_(document.PreserveWhiteSpace()) {}

    // The encoding a declaration at the start names, nothing when there is no
    // declaration or it names none. An encoding the reader cannot take is an error.
    std::optional<std::string> DeclaredEncoding() {
        pos_ = 0;
        SkipSpace();
        if (!StartsWith("<?xml") ||
            (pos_ + 5 < text_.size() && !IsXmlSpace(text_[pos_ + 5]) && text_[pos_ + 5] != '?')) {
            return std::nullopt;
        }
        const std::size_t start = pos_;
        pos_ += 5;
        XmlProcessingInstruction declaration(names_, XmlNameTable::XmlName);
        ParseAttributes(declaration);
        const XmlValue* encoding = declaration.FindAttr("encoding");
        if (!encoding) return std::nullopt;
        std::string label = ValueText(*encoding);
        if (ClassifyEncodingLabel(label) == EncodingLabel::Unsupported) {
            Fail(start,
                 "the encoding " + Quoted(label) +
                     " is not supported: Tavrin reads UTF-8 and the single-byte code pages of its earlier versions");
        }
        return label;
    }

    void ParseDocument() {
        if (const std::size_t bad = FindNonXmlChar(text_); bad != std::string_view::npos) {
            Fail(bad, NonXmlCharMessage(text_.substr(bad)));
        }
        pos_ = 0;
        ParseChildren(document_, 0);
        if (!AtEnd()) Fail(pos_, "end tag without a start tag");
        if (!document_.RootElement()) Fail(pos_, "no root element");
    }

private:
    // Parses nodes into parent until the end of the text or an end tag, where it
    // stops. Outside the root element only white space, comments and processing
    // instructions may stand.
    void ParseChildren(XmlNode& parent, int depth) {
        const bool outsideRoot = depth == 0;
        while (!AtEnd()) {
            const std::size_t start = pos_;
            // Most markup is a start tag: the byte after "<" tells it from the rest at once.
            const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
            if (Peek() != '<') {
                ParseText(parent, outsideRoot);
            } else if (next != '/' && next != '?' && next != '!') {
                if (outsideRoot && document_.RootElement()) Fail(start, "a second root element");
                ParseElement(parent, depth);
            } else if (next == '/') {
                return;
            } else if (next == '?') {
                ParseProcessingInstruction(parent);
            } else if (StartsWith("<!--")) {
                ParseComment(parent);
            } else if (StartsWith("<![CDATA[")) {
                if (outsideRoot) Fail(start, "CDATA section outside the root element");
                parent.AppendChild(
                    document_.MakeNode<XmlCDATASection>(ReadDelimited("<![CDATA[", "]]>", "CDATA section")));
            } else if (StartsWith("<!DOCTYPE")) {
                Fail(start,
                     "the file holds a document type declaration (\"<!DOCTYPE\"), which settings files never do");
            } else {
                if (outsideRoot && document_.RootElement()) Fail(start, "a second root element");
                ParseElement(parent, depth);
            }
        }
    }

    void ParseText(XmlNode& parent, bool outsideRoot) {
        const std::size_t start = pos_;
        // The layout between elements, the most common text by far, is dropped at once.
        SkipSpace();
        if (!preserveWhiteSpace_ && (AtEnd() || Peek() == '<')) return;
        pos_ = start;
        std::string_view text = ReadCharacterData('<');
        // Outside the root even a reference to a blank is text.
        if (outsideRoot && !std::all_of(text_.begin() + start, text_.begin() + pos_, IsXmlSpace)) {
            Fail(start, "text outside the root element");
        }
        if (!preserveWhiteSpace_) {
            // Trimming drops the layout the writer puts around elements, so that a
            // written document reads back to the same tree.
            while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
            while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
            if (text.empty()) return;
        }
        parent.AppendChild(document_.MakeNode<XmlText>(std::string(text)));
    }

    void ParseElement(XmlNode& parent, int depth) {
        const std::size_t start = pos_++;
        const int nameId = ParseName();
        auto made = document_.MakeNode<XmlElement>(nameId);
        XmlElement* const element = made.get();
        parent.AppendChild(std::move(made));
        if (!AtEnd() && !IsXmlSpace(Peek()) && Peek() != '/' && Peek() != '>') {
            Fail(pos_, "unexpected character after the element name " + Quoted(element->Name()));
        }
        ParseAttributes(*element);
        if (StartsWith("/>")) {
            pos_ += 2;
            return;
        }
        Expect(">");
        if (depth >= MaxDepth) Fail(start, "elements are nested too deeply");
        ParseChildren(*element, depth + 1);
        const std::size_t endTag = pos_;
        if (!AtEnd()) {
            pos_ += 2;
            const std::size_t nameStart = pos_;
            while (!AtEnd() && IsNameChar(Peek())) ++pos_;
            if (text_.substr(nameStart, pos_ - nameStart) == element->Name()) {
                SkipSpace();
                Expect(">");
                return;
            }
        }
        Fail(endTag, "missing end tag of " + Quoted(element->Name()));
    }

    void ParseComment(XmlNode& parent) {
        const std::size_t textStart = pos_ + 4;
        std::string text = ReadDelimited("<!--", "-->", "comment");
        // Only the closing "-->" may hold "--"; a text that ends in "-" would make "--->".
        std::size_t dashes = text.find("--");
        if (dashes == std::string::npos && text.ends_with('-')) dashes = text.size() - 1;
        if (dashes != std::string::npos) Fail(textStart + dashes, "\"--\" is not allowed inside a comment");
        parent.AppendChild(document_.MakeNode<XmlComment>(std::move(text)));
    }

    void ParseProcessingInstruction(XmlNode& parent) {
        const std::size_t start = pos_;
        pos_ += 2;
        const int nameId = ParseName();
        if (EqualsIgnoringCase(names_.Name(nameId), "xml")) {
            // The declaration is the one instruction of that name, and only white space may come before it.
            if (nameId != XmlNameTable::XmlName) {
                Fail(start, "the instruction name " + Quoted(names_.Name(nameId)) + " is reserved");
            }
            if (!std::all_of(text_.begin(), text_.begin() + start, IsXmlSpace)) {
                Fail(start, "the XML declaration must come first in the document");
            }
            auto declaration = document_.MakeNode<XmlProcessingInstruction>(nameId, std::string());
            ParseAttributes(*declaration);
            SkipSpace();
            Expect("?>");
            parent.AppendChild(std::move(declaration));
            return;
        }
        if (!AtEnd() && !IsXmlSpace(Peek()) && !StartsWith("?>")) {
            Fail(pos_, "unexpected character after the processing instruction name");
        }
        SkipSpace();
        const std::size_t end = text_.find("?>", pos_);
        if (end == std::string_view::npos) Fail(start, "processing instruction without \"?>\"");
        parent.AppendChild(
            document_.MakeNode<XmlProcessingInstruction>(nameId, std::string(text_.substr(pos_, end - pos_))));
        pos_ = end + 2;
    }

    // Into a node without attributes. They are gathered first, so that the
    // node's list is made once at its size.
    void ParseAttributes(XmlNode& node) {
        attributes_.clear();
        for (;;) {
            SkipSpace();
            if (AtEnd() || !IsNameStart(Peek())) break;
            const std::size_t nameStart = pos_;
            const int nameId = ParseName();
            SkipSpace();
            if (AtEnd() || Peek() != '=')
                Fail(pos_, "missing \"=\" after the attribute " + Quoted(names_.Name(nameId)));
            ++pos_;
            SkipSpace();
            if (AtEnd() || (Peek() != '"' && Peek() != '\'')) Fail(pos_, "missing attribute value");
            const std::size_t valueStart = pos_;
            const char quote = text_[pos_++];
            std::string_view value = ReadCharacterData(quote);
            if (AtEnd()) Fail(valueStart, "the attribute value is not closed");
            ++pos_;
            // A decoded value must outlive the next read, which reuses the buffer, and the reader.
            if (value.data() == decoded_.data()) value = pool_.Keep(value);
            const bool twice = std::any_of(attributes_.begin(), attributes_.end(),
                                           [nameId](const auto& attribute) { return attribute.first == nameId; });
            if (twice) Fail(nameStart, "the attribute " + Quoted(names_.Name(nameId)) + " appears twice");
            attributes_.emplace_back(nameId, value);
        }
        node.AppendReadAttributes(attributes_);
    }

    // A document uses few names over and over: most are found in a small cache,
    // keyed by length and first and last byte, without a lookup in the name table.
    int ParseName() {
        if (AtEnd() || !IsNameStart(Peek())) Fail(pos_, "a name must start with a letter or \"_\"");
        const std::size_t start = pos_;
        std::size_t end = pos_;
        while (end < text_.size() && NameChars[static_cast<unsigned char>(text_[end])]) ++end;
        pos_ = end;
        const std::string_view name = text_.substr(start, end - start);
        CachedName& cached = nameCache_[(name.size() * 7 + static_cast<unsigned char>(name.front()) +
                                         static_cast<unsigned char>(name.back()) * 3) %
                                        nameCache_.size()];
        if (cached.id < 0 || !SameBytes(cached.name, name)) cached = {name, names_.Add(name)};
        return cached.id;
    }

    // Text up to stop (not consumed) or the end, with references decoded. In an
    // attribute value, stop is the quote and "<" is an error; in text, "]]>" is.
    // Line breaks and tabs typed into an attribute value are kept as they are
    // rather than turned into blanks as XML would: earlier versions wrote them
    // there raw, and the writer now writes them as references. Most text holds
    // no reference and is returned as a view of the input; decoded text is
    // returned as a view of a buffer that the next call reuses.
    std::string_view ReadCharacterData(char stop) {
        const ByteSet& stops = stop == '<' ? TextStops : stop == '"' ? DoubleQuotedStops : SingleQuotedStops;
        const std::size_t first = pos_;
        pos_ = SkipBytes(pos_, stops);
        if (AtEnd() || Peek() == stop) return text_.substr(first, pos_ - first);
        pos_ = first;
        std::string& data = decoded_;
        data.clear();
        for (;;) {
            const std::size_t runStart = pos_;
            pos_ = SkipBytes(pos_, stops);
            data.append(text_.substr(runStart, pos_ - runStart));
            if (AtEnd() || Peek() == stop) return data;
            if (Peek() == '&') {
                ReadReference(data);
            } else if (Peek() == '<') {
                Fail(pos_, "\"<\" is not allowed in an attribute value");
            } else {
                if (StartsWith("]]>")) Fail(pos_, "\"]]>\" is not allowed in text");
                data += text_[pos_++];
            }
        }
    }

    void ReadReference(std::string& out) {
        const std::size_t start = pos_++;
        if (AtEnd()) Fail(start, "the text ends after \"&\"");
        if (Peek() == '#') {
            ++pos_;
            const bool hex = !AtEnd() && Peek() == 'x';
            if (hex) ++pos_;
            const std::size_t digitsStart = pos_;
            std::uint32_t codePoint = 0;
            for (int digit; !AtEnd() && (digit = DigitValue(Peek(), hex)) >= 0; ++pos_) {
                codePoint = std::min<std::uint32_t>(codePoint * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit),
                                                    0x110000);  // saturates: an overflow stays out of range
            }
            if (pos_ == digitsStart) Fail(pos_, AtEnd() ? "the text ends after \"&#\"" : "missing number after \"&#\"");
            Expect(";");
            if (!IsXmlChar(codePoint)) {
                Fail(start,
                     "character reference " + Quoted(text_.substr(start, pos_ - start)) + " is not a valid character");
            }
            AppendUtf8(out, codePoint);
            return;
        }
        const std::size_t nameStart = pos_;
        while (!AtEnd() && IsNameChar(Peek())) ++pos_;
        const std::string_view name = text_.substr(nameStart, pos_ - nameStart);
        Expect(";");
        static constexpr std::pair<std::string_view, char> entities[] = {
            {"amp", '&'}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}};
        for (const auto& [entity, character] : entities) {
            if (name == entity) {
                out += character;
                return;
            }
        }
        Fail(start, "unknown entity " + Quoted(text_.substr(start, pos_ - start)));
    }

    static int DigitValue(char c, bool hex) noexcept {
        if (c >= '0' && c <= '9') return c - '0';
        if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    // Reads from open to close and returns what lies between.
    std::string ReadDelimited(std::string_view open, std::string_view close, const char* what) {
        const std::size_t start = pos_;
        const std::size_t end = text_.find(close, pos_ + open.size());
        if (end == std::string_view::npos) Fail(start, std::string(what) + " without " + Quoted(close));
        pos_ = end + close.size();
        return std::string(text_.substr(start + open.size(), end - start - open.size()));
    }

    void Expect(std::string_view expected) {
        if (!StartsWith(expected)) Fail(pos_, "expected " + Quoted(expected));
        pos_ += expected.size();
    }

    // The loops over bytes keep the place in a local: the bytes they read could
    // alias any member, so the compiler would write pos_ back at every byte.
    void SkipSpace() noexcept {
        std::size_t at = pos_;
        while (at < text_.size() && IsXmlSpace(text_[at])) ++at;
        pos_ = at;
    }
    // The first place from at on that holds a byte of stops, or the end.
    [[nodiscard]] std::size_t SkipBytes(std::size_t at, const ByteSet& stops) const noexcept {
        while (at < text_.size() && !stops[static_cast<unsigned char>(text_[at])]) ++at;
        return at;
    }
    [[nodiscard]] bool AtEnd() const noexcept { return pos_ >= text_.size(); }
    [[nodiscard]] char Peek() const noexcept { return text_[pos_]; }
    [[nodiscard]] bool StartsWith(std::string_view prefix) const noexcept {
        return text_.substr(pos_).starts_with(prefix);
    }

    // Lines end at LF; the column counts characters, so UTF-8 continuation bytes are skipped.
    [[noreturn]] void Fail(std::size_t offset, const std::string& message) const {
        offset = std::min(offset, text_.size());
        int line = 1, column = 1;
        for (std::size_t i = 0; i < offset; ++i) {
            const auto byte = static_cast<unsigned char>(text_[i]);
            if (byte == '\n') {
                ++line;
                column = 1;
            } else if ((byte & 0xC0) != 0x80) {
                ++column;
            }
        }
        throw XmlError(fileName_, line, column, message);
    }

    std::string_view text_;
    const std::string& fileName_;
    XmlDocument& document_;
    XmlNodePool& pool_;
    XmlNameTable& names_;
    bool preserveWhiteSpace_;
    std::size_t pos_ = 0;
    std::string decoded_;  // text with references, as ReadCharacterData decoded it last
    struct CachedName {
        std::string_view name;  // of the text being read
        int id = -1;
    };
    std::array<CachedName, 64> nameCache_{};
    // The attributes of the tag being read.
    std::vector<std::pair<int, std::string_view>> attributes_;
};

}  // namespace

void XmlDocument::LoadFromText(std::string_view bytes, const std::string& fileName, const AnsiDecoder& ansiToUtf8) {
    ClearChildNodes();
    ClearAttributes();
    if (bytes.starts_with(BinarySignature)) throw XmlError(fileName, 1, 1, "binary XML files are not supported");
    if (LooksLikeUtf16(bytes)) throw XmlError(fileName, 1, 1, "the file is UTF-16 text; save it as UTF-8");
    const bool hasBom = bytes.starts_with(Utf8Bom);
    if (hasBom) bytes.remove_prefix(Utf8Bom.size());
    // Earlier versions wrote text in the system's ANSI code page under a
    // single-byte code page's name. The tree holds UTF-8, so such a declaration is
    // corrected and the next save writes UTF-8; a byte order mark outweighs the
    // declaration. Other spellings of UTF-8 become the registered one.
    const std::optional<std::string> encoding = XmlReader(bytes, fileName, *this, *Pool()).DeclaredEncoding();
    std::string converted;
    if (encoding && ClassifyEncodingLabel(*encoding) == EncodingLabel::SingleByte && !hasBom) {
        converted = DecodeAnsiText(bytes, fileName, ansiToUtf8);
        bytes = converted;
    }
    // Read attribute values refer to the document's copy of the text rather than each holding a string.
    XmlReader(Pool()->Keep(bytes), fileName, *this, *Pool()).ParseDocument();
    if (!encoding || IsRegisteredUtf8Label(*encoding)) return;
    for (const auto& child : ChildNodes()) {
        if (child->NodeType() == XmlNodeType::ProcessingInstruction &&
            static_cast<XmlProcessingInstruction&>(*child).NameId() == XmlNameTable::XmlName) {
            child->SetAttrText("encoding", "UTF-8");
            return;
        }
    }
}

}  // namespace tavrin
