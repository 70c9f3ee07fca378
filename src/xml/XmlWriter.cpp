// The text form of a document. Each element starts on a new line (CR LF)
// indented by one tab per level; text, comments, CDATA and processing
// instructions are written where they stand, without layout. The reader drops
// this layout again, so a document written here reads back to the same tree.
#include <array>
#include <vector>

#include "xml/XmlChars.h"
#include "xml/XmlTree.h"

namespace tavrin {
namespace {

// How text is written: attribute values and text escape the markup
// characters; comments, CDATA sections and instructions are written as they are.
enum class Escape { None, Text, AttributeValue };

// What the writer does with a byte of text.
enum class ByteKind : unsigned char {
    Plain,       // copied
    Markup,      // an entity unless nothing is escaped
    LineBreak,   // tab, LF, CR: a character reference in an attribute value
    NotAllowed,  // any other control character: U+FFFD
    NonAscii     // copied when it starts an XML character, else U+FFFD
};

constexpr std::array<ByteKind, 256> ByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 0x20; ++c) kinds[c] = ByteKind::NotAllowed;
    for (const unsigned char c : {'\t', '\n', '\r'}) kinds[c] = ByteKind::LineBreak;
    for (const unsigned char c : {'"', '&', '<', '>'}) kinds[c] = ByteKind::Markup;
    for (int c = 0x80; c < 0x100; ++c) kinds[c] = ByteKind::NonAscii;
    return kinds;
}();

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

std::string_view EscapedForm(char c) noexcept {
    switch (c) {
        case '"':
            return "&quot;";
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '\t':
            return "&#9;";
        case '\n':
            return "&#10;";
        default:
            return "&#13;";
    }
}

class XmlWriter {
public:
    explicit XmlWriter(bool preserveWhiteSpace) : layout_(!preserveWhiteSpace) {}

    void WriteChildren(const XmlNode& parent, int depth) {
        for (const auto& child : parent.ChildNodes()) WriteNode(*child, depth);
    }

    std::string out;

private:
    void WriteNode(const XmlNode& node, int depth) {
        switch (node.NodeType()) {
            case XmlNodeType::Element:
                WriteElement(static_cast<const XmlElement&>(node), depth);
                break;
            case XmlNodeType::Text:
                WriteText(static_cast<const XmlText&>(node).Text(), Escape::Text);
                break;
            case XmlNodeType::CDATASection:
                Write("<![CDATA[", static_cast<const XmlCDATASection&>(node).Text(), "]]>");
                break;
            case XmlNodeType::Comment:
                Write("<!--", static_cast<const XmlComment&>(node).Text(), "-->");
                break;
            case XmlNodeType::ProcessingInstruction:
                WriteProcessingInstruction(static_cast<const XmlProcessingInstruction&>(node));
                break;
            case XmlNodeType::Document:
                break;
        }
    }

    void WriteElement(const XmlElement& element, int depth) {
        if (layout_) out += Indent(depth);
        out += Piece(openTags_, element, element.NameId(), "<", "");
        WriteAttributes(element);
        out += '>';
        const std::size_t contentStart = out.size();
        WriteChildren(element, depth + 1);
        if (out.size() == contentStart) {
            out.back() = '/';
            out += '>';
            return;
        }
        if (layout_) {
            const std::string_view content = std::string_view(out).substr(contentStart);
            if (content.find_first_of("\r\n") != std::string_view::npos) {
                if (!content.ends_with("\r\n")) out += "\r\n";
                out.append(static_cast<std::size_t>(depth), '\t');
            }
        }
        out += Piece(closeTags_, element, element.NameId(), "</", ">");
    }

    void WriteProcessingInstruction(const XmlProcessingInstruction& instruction) {
        out += "<?";
        out += instruction.Name();
        if (instruction.Text().empty()) {
            WriteAttributes(instruction);
        } else {
            out += ' ';
            WriteText(instruction.Text(), Escape::None);
        }
        out += "?>";
    }

    void WriteAttributes(const XmlNode& node) {
        for (const auto& attribute : node.Attributes()) {
            out += Piece(attributeStarts_, node, attribute.nameId, " ", "=\"");
            if (const auto text = attribute.Text()) {
                WriteText(*text, Escape::AttributeValue);
            } else {
                out += ValueText(attribute.Value());  // digits need no escaping
            }
            out += '"';
        }
    }

    // Markup characters are escaped as asked. A standard reader turns a line
    // break or tab in an attribute value into a blank, so there they are written
    // as character references, which every reader keeps. A character that XML
    // does not allow (a control character pasted into a description, say) is
    // written as U+FFFD: dropping it could join the text around it into another
    // name or path, while the replacement keeps its place visible and the file
    // readable.
    void WriteText(std::string_view text, Escape escape) {
        std::size_t i = 0;
        while (i < text.size()) {
            const std::size_t runStart = i;
            for (; i < text.size(); ++i) {
                const ByteKind kind = ByteKinds[static_cast<unsigned char>(text[i])];
                if (kind == ByteKind::Plain) continue;
                if (kind != ByteKind::NonAscii) break;
                const std::size_t length = XmlCharLength(text, i);
                if (length == 0) break;
                i += length - 1;
            }
            out.append(text.substr(runStart, i - runStart));
            if (i == text.size()) return;
            const char c = text[i++];
            switch (ByteKinds[static_cast<unsigned char>(c)]) {
                case ByteKind::Markup:
                    WriteChar(c, escape != Escape::None);
                    break;
                case ByteKind::LineBreak:
                    WriteChar(c, escape == Escape::AttributeValue);
                    break;
                case ByteKind::NonAscii:
                    // One replacement for the lead byte and the continuation bytes that follow it.
                    for (int k = 0; k < 3 && i < text.size() && (text[i] & 0xC0) == 0x80; ++k) ++i;
                    out += ReplacementCharacter;
                    break;
                default:
                    out += ReplacementCharacter;
            }
        }
    }

    void WriteChar(char c, bool escaped) {
        if (escaped) {
            out += EscapedForm(c);
        } else {
            out += c;
        }
    }

    void Write(std::string_view open, std::string_view text, std::string_view close) {
        out += open;
        WriteText(text, Escape::None);
        out += close;
    }

    // The line break and tabs before an element at depth.
    const std::string& Indent(int depth) {
        const auto level = static_cast<std::size_t>(depth);
        while (indents_.size() <= level) indents_.push_back("\r\n" + std::string(indents_.size(), '\t'));
        return indents_[level];
    }

    // A name between two fixed texts ("<Item", " Name=\"", "</Item>"), made
    // once per name for the whole text: written piece by piece for every
    // element and attribute, these small texts were most of the writer's work.
    static const std::string& Piece(std::vector<std::string>& made, const XmlNode& node, int nameId,
                                    std::string_view before, std::string_view after) {
        const auto index = static_cast<std::size_t>(nameId);
        if (made.size() <= index) made.resize(index + 1);
        std::string& piece = made[index];
        if (piece.empty()) {
            piece.append(before).append(node.NameTable().Name(nameId)).append(after);
        }
        return piece;
    }

    bool layout_;
    std::vector<std::string> indents_;
    std::vector<std::string> openTags_;         // "<name", by name ID
    std::vector<std::string> closeTags_;        // "</name>"
    std::vector<std::string> attributeStarts_;  // " name=\""
};

}  // namespace

// A little room to spare beyond the hint: a counter grows by a digit now and then.
std::string XmlDocument::ToText(std::size_t sizeHint) const {
    XmlWriter writer(PreserveWhiteSpace());
    if (sizeHint > 0) writer.out.reserve(sizeHint + sizeHint / 64);
    writer.WriteChildren(*this, 0);
    return std::move(writer.out);
}

}  // namespace tavrin
