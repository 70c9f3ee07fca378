// An attribute of a node: a name ID and a value. An attribute as read holds
// its text as a view of the document's copy of the file and makes its
// XmlValue only when one is asked for: most values are read as text or
// numbers, or only written again, and never need a string of their own. The
// view and the value share their room, which keeps the attribute lists of a
// large document small.
#pragma once

#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "xml/XmlValue.h"

namespace tavrin {

class XmlAttribute {
public:
    XmlAttribute(int nameId, XmlValue value) noexcept : nameId(nameId), made_(true) {
        new (&value_) XmlValue(std::move(value));
    }
    // readText must live as long as the attribute, as what a document's pool keeps does.
    XmlAttribute(int nameId, std::string_view readText) noexcept : nameId(nameId), readText_(readText) {}
    XmlAttribute(XmlAttribute&& other) noexcept : nameId(other.nameId), made_(other.made_) {
        if (made_) {
            new (&value_) XmlValue(std::move(other.value_));
        } else {
            readText_ = other.readText_;
        }
    }
    XmlAttribute(const XmlAttribute&) = delete;
    XmlAttribute& operator=(const XmlAttribute&) = delete;
    XmlAttribute& operator=(XmlAttribute&&) = delete;
    ~XmlAttribute() {
        if (made_) value_.~XmlValue();
    }

    [[nodiscard]] const XmlValue& Value() const {
        if (!made_) {
            XmlValue made(std::in_place_type<std::string>, readText_);  // first, so that a failure changes nothing
            new (&value_) XmlValue(std::move(made));
            made_ = true;
        }
        return value_;
    }
    // The text of a text value, read or set, without making it.
    [[nodiscard]] std::optional<std::string_view> Text() const noexcept {
        if (!made_) return readText_;
        if (const auto* text = std::get_if<std::string>(&value_)) return *text;
        return std::nullopt;
    }
    void SetValue(XmlValue value) noexcept {
        if (made_) {
            value_ = std::move(value);
        } else {
            new (&value_) XmlValue(std::move(value));
            made_ = true;
        }
    }

    int nameId;

private:
    // Like the nodes, attributes belong to the user-interface thread: making the value needs no lock.
    mutable bool made_ = false;  // value_ holds the value, else readText_ the text as read
    union {
        std::string_view readText_{};
        mutable XmlValue value_;
    };
};

}  // namespace tavrin
