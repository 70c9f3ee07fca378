#include "xml/XmlTree.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

#include "xml/XmlChars.h"

namespace tavrin {
namespace {

void RequireName(std::string_view name, const char* what) {
    if (!IsXmlName(name))
        throw std::invalid_argument(std::string(what) + " \"" + std::string(name) + "\" is not a valid XML name");
}

// Attribute lists grow in small steps while short and by a quarter beyond.
std::size_t GrownCapacity(std::size_t size) noexcept {
    if (size < 9) return size + 4;
    if (size < 65) return size + 16;
    return size + size / 4;
}

}  // namespace

XmlNode::~XmlNode() { ClearChildNodes(); }

void XmlNode::AppendChild(IXmlNode child) {
    if (child->parent_) child->parent_->RemoveChildNode(child);
    child->parent_ = this;
    children_.nodes_.push_back(std::move(child));
}

void XmlNode::RemoveChildNode(const IXmlNode& child) {
    if (!child || child->parent_ != this) return;
    auto& nodes = children_.nodes_;
    const auto found = std::find(nodes.begin(), nodes.end(), child);
    if (found == nodes.end()) return;
    child->parent_ = nullptr;
    nodes.erase(found);
}

IXmlElement XmlNode::AddElement(std::string_view name) {
    RequireName(name, "element name");
    auto element = MakeNode<XmlElement>(names_->Add(name));
    AppendChild(element);
    return element;
}

void XmlNode::ClearChildNodes() noexcept {
    auto& nodes = children_.nodes_;
    if (nodes.capacity() == 0) return;  // most nodes never had a child
    // Children that someone else still holds outlive this node: they must not point back to it.
    // One pass lets go of each child right after that, while it is at hand.
    for (auto& child : nodes) {
        child->parent_ = nullptr;
        child.reset();
    }
    std::remove_reference_t<decltype(nodes)>(nodes.get_allocator()).swap(nodes);
}

IXmlElement XmlNode::FirstChildElement(std::string_view name) const {
    if (!IsXmlName(name)) {
        throw std::invalid_argument("FirstChildElement: \"" + std::string(name) +
                                    "\" is not supported, only a plain element name is");
    }
    const int nameId = names_->Find(name);
    for (const auto& child : ChildNodes()) {
        if (child->type_ == XmlNodeType::Element && static_cast<XmlElement&>(*child).NameId() == nameId) {
            return std::static_pointer_cast<XmlElement>(child);
        }
    }
    return nullptr;
}

IXmlElement XmlNode::FindChildElement(std::string_view elementName, std::string_view attrName,
                                      const XmlValue& value) const {
    const int elementId = names_->Find(elementName);
    const int attrId = names_->Find(attrName);
    if (elementId < 0 || attrId < 0) return nullptr;
    for (const auto& child : ChildNodes()) {
        if (child->type_ != XmlNodeType::Element || static_cast<XmlElement&>(*child).NameId() != elementId) continue;
        const XmlAttribute* found = child->FindAttr(attrId);
        if (!found) continue;
        const std::optional<std::string_view> text = found->Text();
        if (text ? TextEquals(*text, value) : ValuesEqual(found->Value(), value)) {
            return std::static_pointer_cast<XmlElement>(child);
        }
    }
    return nullptr;
}

const XmlAttribute* XmlNode::FindAttr(int nameId) const noexcept {
    for (const auto& attribute : attributes_) {
        if (attribute.nameId == nameId) return &attribute;
    }
    return nullptr;
}

const XmlValue* XmlNode::FindAttr(std::string_view name) const {
    const XmlAttribute* attribute = FindAttr(names_->Find(name));
    return attribute ? &attribute->Value() : nullptr;
}

void XmlNode::SetAttr(int nameId, XmlValue value) {
    for (auto& attribute : attributes_) {
        if (attribute.nameId == nameId) {
            attribute.SetValue(std::move(value));
            return;
        }
    }
    PushAttr(nameId, std::move(value));
}

bool XmlNode::AppendAttr(int nameId, XmlValue value) {
    if (FindAttr(nameId)) return false;
    PushAttr(nameId, std::move(value));
    return true;
}

void XmlNode::AppendReadAttributes(const std::vector<std::pair<int, std::string_view>>& attributes) {
    attributes_.reserve(attributes_.size() + attributes.size());
    for (const auto& [nameId, text] : attributes) {
        attributes_.emplace_back(nameId, text);
    }
}

void XmlNode::PushAttr(int nameId, XmlValue value) {
    if (attributes_.size() == attributes_.capacity()) attributes_.reserve(GrownCapacity(attributes_.size()));
    attributes_.push_back({nameId, std::move(value)});
}

void XmlNode::SetNamedAttr(std::string_view name, XmlValue value) {
    RequireName(name, "attribute name");
    SetAttr(names_->Add(name), std::move(value));
}

// The getters read a text value where it stands, without making its XmlValue.
std::string XmlNode::GetAttrText(std::string_view name, std::string_view defaultText) const {
    const XmlAttribute* attribute = FindAttr(names_->Find(name));
    if (!attribute) return std::string(defaultText);
    const std::optional<std::string_view> text = attribute->Text();
    return text ? std::string(*text) : ValueText(attribute->Value());
}

bool XmlNode::GetAttrBool(std::string_view name, bool defaultValue) const noexcept {
    const XmlAttribute* attribute = FindAttr(names_->Find(name));
    if (!attribute) return defaultValue;
    const std::optional<std::string_view> text = attribute->Text();
    return (text ? ParseXmlBool(*text) : ValueAsBool(attribute->Value())).value_or(defaultValue);
}

std::int32_t XmlNode::GetAttrInt(std::string_view name, std::int32_t defaultValue) const noexcept {
    const XmlAttribute* attribute = FindAttr(names_->Find(name));
    if (!attribute) return defaultValue;
    const std::optional<std::string_view> text = attribute->Text();
    return (text ? ParseXmlInt(*text) : ValueAsInt(attribute->Value())).value_or(defaultValue);
}

void XmlNode::SetAttrText(std::string_view name, std::string text) { SetNamedAttr(name, std::move(text)); }
void XmlNode::SetAttrBool(std::string_view name, bool value) { SetNamedAttr(name, value); }
void XmlNode::SetAttrInt(std::string_view name, std::int32_t value) { SetNamedAttr(name, value); }

IXmlElement XmlDocument::RootElement() const {
    for (const auto& child : ChildNodes()) {
        if (child->NodeType() == XmlNodeType::Element) return std::static_pointer_cast<XmlElement>(child);
    }
    return nullptr;
}

IXmlElement XmlDocument::CreateNew(std::string_view version, std::string_view encoding, std::string_view rootName) {
    RequireName(rootName, "element name");
    ClearChildNodes();
    auto declaration = MakeNode<XmlProcessingInstruction>(XmlNameTable::XmlName, std::string());
    declaration->SetAttrText("version", std::string(version));
    declaration->SetAttrText("encoding", encoding.empty() ? "UTF-8" : std::string(encoding));
    AppendChild(std::move(declaration));
    return AddElement(rootName);
}

void XmlDocument::LoadFromFile(IFileSystem& fs, const std::string& path) {
    LoadFromText(fs.ReadFile(path), path, [&fs](std::string_view bytes) { return fs.AnsiToUtf8(bytes); });
}

void XmlDocument::SaveToFile(IFileSystem& fs, const std::string& path) const { SaveFileAtomically(fs, path, ToText()); }

IXmlDocument NewXmlDocument(std::string_view rootName) {
    auto document = std::make_shared<XmlDocument>();
    document->CreateNew("1.0", "", rootName);
    return document;
}

IXmlDocument LoadXmlDocument(IFileSystem& fs, const std::string& path) {
    auto document = std::make_shared<XmlDocument>();
    document->LoadFromFile(fs, path);
    return document;
}

}  // namespace tavrin
