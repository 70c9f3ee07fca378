// The text form of a document. Each element starts on a new line (CR LF)
// indented by one tab per level; text, comments, CDATA and processing
// instructions are written where they stand, without layout. The reader drops
// this layout again, so a document written here reads back to the same tree.
#include "xml/XmlTree.h"

namespace tavrin {
namespace {

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
                WriteEscaped(static_cast<const XmlText&>(node).Text());
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
        if (layout_) {
            out += "\r\n";
            out.append(static_cast<std::size_t>(depth), '\t');
        }
        out += '<';
        out += element.Name();
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
        Write("</", element.Name(), ">");
    }

    void WriteProcessingInstruction(const XmlProcessingInstruction& instruction) {
        out += "<?";
        out += instruction.Name();
        if (instruction.Text().empty()) {
            WriteAttributes(instruction);
        } else {
            out += ' ';
            out += instruction.Text();
        }
        out += "?>";
    }

    void WriteAttributes(const XmlNode& node) {
        for (const auto& attribute : node.Attributes()) {
            out += ' ';
            out += node.NameTable().Name(attribute.nameId);
            out += "=\"";
            if (const auto* text = std::get_if<std::string>(&attribute.value)) {
                WriteEscaped(*text);
            } else {
                out += ValueText(attribute.value);  // digits need no escaping
            }
            out += '"';
        }
    }

    void WriteEscaped(std::string_view text) {
        for (const char c : text) {
            switch (c) {
                case '"':
                    out += "&quot;";
                    break;
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                default:
                    out += c;
            }
        }
    }

    void Write(std::string_view open, std::string_view text, std::string_view close) {
        out += open;
        out += text;
        out += close;
    }

    bool layout_;
};

}  // namespace

std::string XmlDocument::ToText() const {
    XmlWriter writer(PreserveWhiteSpace());
    writer.WriteChildren(*this, 0);
    return std::move(writer.out);
}

}  // namespace tavrin
