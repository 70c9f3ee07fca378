// The in-memory XML tree every store loads whole, changes and saves whole.
// Nodes are reference-counted; a parent owns its children and a child knows
// its parent without owning it. The nodes of a document and their lists come
// from the document's pool (XmlNodePool), not one by one from the heap.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xml/FileSystem.h"
#include "xml/XmlAttribute.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlNameTable.h"
#include "xml/XmlNodePool.h"
#include "xml/XmlValue.h"

namespace tavrin {

class XmlNode;
class XmlElement;
class XmlDocument;
using IXmlNode = std::shared_ptr<XmlNode>;
using IXmlElement = std::shared_ptr<XmlElement>;
using IXmlDocument = std::shared_ptr<XmlDocument>;

enum class XmlNodeType {
    Element = 1,
    Text = 3,
    CDATASection = 4,
    ProcessingInstruction = 7,
    Comment = 8,
    Document = 9
};

using XmlAttributeList = std::vector<XmlAttribute, XmlPoolAllocator<XmlAttribute>>;

// The ordered children of a node.
class XmlNodeList {
public:
    explicit XmlNodeList(XmlNodePool* pool) noexcept : nodes_(XmlPoolAllocator<IXmlNode>(pool)) {}
    [[nodiscard]] std::size_t Count() const noexcept { return nodes_.size(); }
    [[nodiscard]] const IXmlNode& operator[](std::size_t index) const { return nodes_.at(index); }
    [[nodiscard]] auto begin() const noexcept { return nodes_.begin(); }
    [[nodiscard]] auto end() const noexcept { return nodes_.end(); }

private:
    friend class XmlNode;
    std::vector<IXmlNode, XmlPoolAllocator<IXmlNode>> nodes_;
};

class XmlNode {
public:
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;
    virtual ~XmlNode();

    [[nodiscard]] XmlNodeType NodeType() const noexcept { return type_; }
    [[nodiscard]] XmlNameTable& NameTable() const noexcept { return *names_; }
    [[nodiscard]] XmlNode* ParentNode() const noexcept { return parent_; }
    [[nodiscard]] const XmlNodeList& ChildNodes() const noexcept { return children_; }
    [[nodiscard]] const XmlAttributeList& Attributes() const noexcept { return attributes_; }

    // A new node of the same document (from its pool), not yet anywhere in the tree.
    template <typename Node, typename... Args>
    [[nodiscard]] std::shared_ptr<Node> MakeNode(Args&&... args) const {
        XmlNodePool* const pool = Pool();
        return std::allocate_shared<Node>(XmlPoolAllocator<Node>(pool), *names_, std::forward<Args>(args)..., pool);
    }

    // Appends child as the last child, taking it from its former parent.
    void AppendChild(IXmlNode child);
    void RemoveChildNode(const IXmlNode& child);
    IXmlElement AddElement(std::string_view name);
    void ClearChildNodes() noexcept;
    // name must be a plain XML name; paths and patterns throw std::invalid_argument.
    [[nodiscard]] IXmlElement FirstChildElement(std::string_view name) const;
    [[nodiscard]] IXmlElement FindChildElement(std::string_view elementName, std::string_view attrName,
                                               const XmlValue& value) const;

    [[nodiscard]] const XmlValue* FindAttr(std::string_view name) const;
    [[nodiscard]] std::string GetAttrText(std::string_view name, std::string_view defaultText) const;
    void SetAttrText(std::string_view name, std::string text);
    [[nodiscard]] bool GetAttrBool(std::string_view name, bool defaultValue) const noexcept;
    void SetAttrBool(std::string_view name, bool value);
    [[nodiscard]] std::int32_t GetAttrInt(std::string_view name, std::int32_t defaultValue) const noexcept;
    void SetAttrInt(std::string_view name, std::int32_t value);
    // Sets by name ID, replacing an existing value in place or appending.
    void SetAttr(int nameId, XmlValue value);
    // Appends an attribute the node does not have yet; false, changing nothing, when it has one of that name.
    [[nodiscard]] bool AppendAttr(int nameId, XmlValue value);
    // For a reader: appends the text attributes of a tag, whose names differ
    // from each other and from those the node has, in a list made at their
    // number. The texts must live as long as the node, as what its pool keeps does.
    void AppendReadAttributes(const std::vector<std::pair<int, std::string_view>>& attributes);
    void ClearAttributes() noexcept { attributes_.clear(); }

protected:
    // The lists know the pool: a node needs no pointer of its own to it.
    [[nodiscard]] XmlNodePool* Pool() const noexcept { return attributes_.get_allocator().Pool(); }
    // A node made on its own (pool null) takes its memory from the heap.
    XmlNode(XmlNodeType type, XmlNameTable& names, XmlNodePool* pool) noexcept
        : type_(type), names_(&names), attributes_(XmlPoolAllocator<XmlAttribute>(pool)), children_(pool) {}

private:
    [[nodiscard]] const XmlAttribute* FindAttr(int nameId) const noexcept;
    void SetNamedAttr(std::string_view name, XmlValue value);
    void PushAttr(int nameId, XmlValue value);

    XmlNodeType type_;
    XmlNameTable* names_;
    XmlNode* parent_ = nullptr;
    XmlAttributeList attributes_;
    XmlNodeList children_;
};

class XmlElement : public XmlNode {
public:
    XmlElement(XmlNameTable& names, int nameId, XmlNodePool* pool = nullptr) noexcept
        : XmlNode(XmlNodeType::Element, names, pool), nameId_(nameId) {}
    [[nodiscard]] int NameId() const noexcept { return nameId_; }
    [[nodiscard]] const std::string& Name() const { return NameTable().Name(nameId_); }

private:
    int nameId_;
};

// Text, CDATA sections and comments: a node that holds only a text.
class XmlCharacterData : public XmlNode {
public:
    [[nodiscard]] const std::string& Text() const noexcept { return text_; }

protected:
    XmlCharacterData(XmlNodeType type, XmlNameTable& names, std::string text, XmlNodePool* pool)
        : XmlNode(type, names, pool), text_(std::move(text)) {}

private:
    std::string text_;
};

class XmlText : public XmlCharacterData {
public:
    XmlText(XmlNameTable& names, std::string text, XmlNodePool* pool = nullptr)
        : XmlCharacterData(XmlNodeType::Text, names, std::move(text), pool) {}
};

class XmlCDATASection : public XmlCharacterData {
public:
    XmlCDATASection(XmlNameTable& names, std::string text, XmlNodePool* pool = nullptr)
        : XmlCharacterData(XmlNodeType::CDATASection, names, std::move(text), pool) {}
};

class XmlComment : public XmlCharacterData {
public:
    XmlComment(XmlNameTable& names, std::string text, XmlNodePool* pool = nullptr)
        : XmlCharacterData(XmlNodeType::Comment, names, std::move(text), pool) {}
};

// Holds either a text (written after the name) or, when the text is empty,
// attributes, as the declaration "xml" does.
class XmlProcessingInstruction : public XmlNode {
public:
    XmlProcessingInstruction(XmlNameTable& names, int nameId, std::string text = {}, XmlNodePool* pool = nullptr)
        : XmlNode(XmlNodeType::ProcessingInstruction, names, pool), nameId_(nameId), text_(std::move(text)) {}
    [[nodiscard]] int NameId() const noexcept { return nameId_; }
    [[nodiscard]] const std::string& Name() const { return NameTable().Name(nameId_); }
    [[nodiscard]] const std::string& Text() const noexcept { return text_; }

private:
    int nameId_;
    std::string text_;
};

class XmlDocument : public XmlNode {
public:
    // The document's pool lives as long as the document or any of its nodes.
    explicit XmlDocument(XmlNameTable& names = XmlNameTable::Shared())
        : XmlNode(XmlNodeType::Document, names, XmlNodePool::Create()) {}
    ~XmlDocument() { Pool()->Release(); }

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
    // sizeHint, the size of an earlier text of the document, spares the text
    // its growing step by step.
    [[nodiscard]] std::string ToText(std::size_t sizeHint = 0) const;
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
