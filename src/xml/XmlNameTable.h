// Element and attribute names are interned once and then handled as integer
// IDs, so that looking for a child or an attribute compares integers.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class XmlNameTable {
public:
    static constexpr std::size_t BucketCount = 4096;
    // IDs of the names every table holds first, in this order.
    enum FixedName : int { TextName, CDATASectionName, CommentName, DocumentName, XmlName };

    XmlNameTable();
    XmlNameTable(const XmlNameTable&) = delete;
    XmlNameTable& operator=(const XmlNameTable&) = delete;

    // The table all documents of the process share.
    [[nodiscard]] static XmlNameTable& Shared();
    [[nodiscard]] static std::uint32_t Hash(std::string_view name) noexcept;

    // The ID of name, entering it when it is new. IDs count from 0 in order of first use.
    int Add(std::string_view name);
    // The ID of name, or -1 when the table does not hold it.
    [[nodiscard]] int Find(std::string_view name) const noexcept;
    [[nodiscard]] const std::string& Name(int id) const { return names_.at(static_cast<std::size_t>(id)); }
    [[nodiscard]] std::size_t Count() const noexcept { return names_.size(); }

private:
    std::deque<std::string> names_;  // a deque keeps references from Name() valid while the table grows
    std::vector<int> nextInBucket_;  // per ID: the next ID of the same bucket, or -1
    std::array<int, BucketCount> buckets_;
};

}  // namespace tavrin
