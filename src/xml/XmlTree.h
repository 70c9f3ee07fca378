// The in-memory XML tree every store loads whole, changes and saves whole.
// Nodes are reference-counted; a parent owns its children and a child knows
// its parent without owning it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml/FileSystem.h"
#include "xml/XmlNameTable.h"
#include "xml/XmlValue.h"

namespace tavrin {

class TXmlNode;
class TXmlElement;
class TXmlDocument;
using IXmlNode = std::shared_ptr<TXmlNode>;
using IXmlElement = std::shared_ptr<TXmlElement>;
using IXmlDocument = std::shared_ptr<TXmlDocument>;

enum class TXmlNodeType {
    Element = 1,
    Text = 3,
    CDATASection = 4,
    ProcessingInstruction = 7,
    Comment = 8,
    Document = 9
};

struct TXmlAttribute {
    int nameId;
    TXmlValue value;
};

// The ordered children of a node.
class TXmlNodeList {
public:
    [[nodiscard]] std::size_t Count() const noexcept { return nodes_.size(); }
    [[nodiscard]] const IXmlNode& operator[](std::size_t index) const { return nodes_.at(index); }
    [[nodiscard]] auto begin() const noexcept { return nodes_.begin(); }
    [[nodiscard]] auto end() const noexcept { return nodes_.end(); }

private:
    friend class TXmlNode;
    std::vector<IXmlNode> nodes_;
};

class TXmlNode {
public:
    TXmlNode(const TXmlNode&) = delete;
    TXmlNode& operator=(const TXmlNode&) = delete;
    virtual ~TXmlNode();

    [[nodiscard]] TXmlNodeType NodeType() const noexcept { return type_; }
    [[nodiscard]] TXmlNameTable& NameTable() const noexcept { return *names_; }
    [[nodiscard]] TXmlNode* ParentNode() const noexcept { return parent_; }
    [[nodiscard]] const TXmlNodeList& ChildNodes() const noexcept;
    [[nodiscard]] const std::vector<TXmlAttribute>& Attributes() const noexcept { return attributes_; }

    // Appends child as the last child, taking it from its former parent.
    void AppendChild(IXmlNode child);
    void RemoveChildNode(const IXmlNode& child);
    IXmlElement AddElement(std::string_view name);
    void ClearChildNodes() noexcept;
    // name must be a plain XML name; paths and patterns throw std::invalid_argument.
    [[nodiscard]] IXmlElement FirstChildElement(std::string_view name) const;
    [[nodiscard]] IXmlElement FindChildElement(std::string_view elementName, std::string_view attrName,
                                               const TXmlValue& value) const;

    [[nodiscard]] const TXmlValue* FindAttr(std::string_view name) const noexcept;
    [[nodiscard]] std::string GetAttrText(std::string_view name, std::string_view defaultText) const;
    void SetAttrText(std::string_view name, std::string text);
    [[nodiscard]] bool GetAttrBool(std::string_view name, bool defaultValue) const noexcept;
    void SetAttrBool(std::string_view name, bool value);
    [[nodiscard]] std::int32_t GetAttrInt(std::string_view name, std::int32_t defaultValue) const noexcept;
    void SetAttrInt(std::string_view name, std::int32_t value);
    // Sets by name ID, replacing an existing value in place or appending.
    void SetAttr(int nameId, TXmlValue value);
    void ClearAttributes() noexcept { attributes_.clear(); }

protected:
    TXmlNode(TXmlNodeType type, TXmlNameTable& names) noexcept : type_(type), names_(&names) {}

private:
    [[nodiscard]] const TXmlValue* FindAttr(int nameId) const noexcept;
    void SetNamedAttr(std::string_view name, TXmlValue value);

    TXmlNodeType type_;
    TXmlNameTable* names_;
    TXmlNode* parent_ = nullptr;
    std::vector<TXmlAttribute> attributes_;
    std::unique_ptr<TXmlNodeList> children_;  // made on the first child: most nodes have none
};

class TXmlElement : public TXmlNode {
public:
    TXmlElement(TXmlNameTable& names, int nameId) noexcept : TXmlNode(TXmlNodeType::Element, names), nameId_(nameId) {}
    [[nodiscard]] int NameId() const noexcept { return nameId_; }
    [[nodiscard]] const std::string& Name() const { return NameTable().Name(nameId_); }

private:
    int nameId_;
};

// Text, CDATA sections and comments: a node that holds only a text.
class TXmlCharacterData : public TXmlNode {
public:
    [[nodiscard]] const std::string& Text() const noexcept { return text_; }

protected:
    TXmlCharacterData(TXmlNodeType type, TXmlNameTable& names, std::string text)
        : TXmlNode(type, names), text_(std::move(text)) {}

private:
    std::string text_;
};

class TXmlText : public TXmlCharacterData {
public:
    TXmlText(TXmlNameTable& names, std::string text) : TXmlCharacterData(TXmlNodeType::Text, names, std::move(text)) {}
};

class TXmlCDATASection : public TXmlCharacterData {
public:
    TXmlCDATASection(TXmlNameTable& names, std::string text)
        : TXmlCharacterData(TXmlNodeType::CDATASection, names, std::move(text)) {}
};

class TXmlComment : public TXmlCharacterData {
public:
    TXmlComment(TXmlNameTable& names, std::string text)
        : TXmlCharacterData(TXmlNodeType::Comment, names, std::move(text)) {}
};

// Holds either a text (written after the name) or, when the text is empty,
// attributes, as the declaration "xml" does.
class TXmlProcessingInstruction : public TXmlNode {
public:
    TXmlProcessingInstruction(TXmlNameTable& names, int nameId, std::string text = {})
        : TXmlNode(TXmlNodeType::ProcessingInstruction, names), nameId_(nameId), text_(std::move(text)) {}
    [[nodiscard]] int NameId() const noexcept { return nameId_; }
    [[nodiscard]] const std::string& Name() const { return NameTable().Name(nameId_); }
    [[nodiscard]] const std::string& Text() const noexcept { return text_; }

private:
    int nameId_;
    std::string text_;
};

// Converts text in the system's ANSI code page to UTF-8.
using AnsiDecoder = std::function<std::string(std::string_view)>;

class TXmlDocument : public TXmlNode {
public:
    explicit TXmlDocument(TXmlNameTable& names = TXmlNameTable::Shared()) noexcept
        : TXmlNode(TXmlNodeType::Document, names) {}

    // With the flag set, the reader keeps all text as it is and the writer adds
    // no line breaks or indentation. The stores leave it off.
    [[nodiscard]] bool PreserveWhiteSpace() const noexcept { return preserveWhiteSpace_; }
    void SetPreserveWhiteSpace(bool preserve) noexcept { preserveWhiteSpace_ = preserve; }

    [[nodiscard]] IXmlElement RootElement() const;
    // Replaces the content by the declaration and an empty root element, which it returns.
    // An empty encoding means "UTF-8".
    IXmlElement CreateNew(std::string_view version, std::string_view encoding, std::string_view rootName);

    // Replace the content by the parsed document; throw XmlError for a document that
    // cannot be read (leaving the content partly filled) and FileError when the file cannot be read.
    void LoadFromFile(IFileSystem& fs, const std::string& path);
    void LoadFromText(std::string_view bytes, const std::string& fileName, const AnsiDecoder& ansiToUtf8);

    // The text form: CR LF and tabs lay out the elements, no line break at the end.
    [[nodiscard]] std::string ToText() const;
    // Replaces the file in one step (SaveFileAtomically); throws FileError.
    void SaveToFile(IFileSystem& fs, const std::string& path) const;

private:
    bool preserveWhiteSpace_ = false;
};

// A document of the shared name table holding the declaration (version "1.0",
// encoding "UTF-8") and an empty root element.
[[nodiscard]] IXmlDocument NewXmlDocument(std::string_view rootName);
// A document of the shared name table loaded from path.
[[nodiscard]] IXmlDocument LoadXmlDocument(IFileSystem& fs, const std::string& path);

}  // namespace tavrin
