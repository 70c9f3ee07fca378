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
    [[nodiscard]] int Find(std::string_view name) const noexcept { return Find(name, Hash(name)); }
    [[nodiscard]] const std::string& Name(int id) const { return names_.at(static_cast<std::size_t>(id)); }
    [[nodiscard]] std::size_t Count() const noexcept { return names_.size(); }

private:
    [[nodiscard]] int Find(std::string_view name, std::uint32_t hash) const noexcept;

    std::deque<std::string> names_;  // a deque keeps references from Name() valid while the table grows
    // Per ID, side by side for the lookup: the full hash, which rules out
    // nearly every other name of a bucket at once, the name, and the next ID
    // of the same bucket (-1: none).
    struct Entry {
        std::uint32_t hash;
        int nextInBucket;
        std::string_view name;  // of the string in names_, which never moves
    };
    std::vector<Entry> entries_;
    std::array<int, BucketCount> buckets_;
};

}  // namespace tavrin
