#include "xml/XmlNameTable.h"

#include "xml/XmlChars.h"

namespace tavrin {

XmlNameTable::XmlNameTable() {
    buckets_.fill(-1);
    for (const char* name : {"#text", "#cdata-section", "#comment", "#document", "xml"}) Add(name);
}

// Everything runs on the user-interface thread, so the table needs no lock.
XmlNameTable& XmlNameTable::Shared() {
    static XmlNameTable table;
    return table;
}

std::uint32_t XmlNameTable::Hash(std::string_view name) noexcept {
    std::uint32_t hash = 0;
    for (const char c : name) hash = hash * 33 + static_cast<unsigned char>(c);
    return hash;
}

int XmlNameTable::Find(std::string_view name, std::uint32_t hash) const noexcept {
    for (int id = buckets_[hash % BucketCount]; id >= 0;) {
        const Entry& entry = entries_[static_cast<std::size_t>(id)];
        if (entry.hash == hash && SameBytes(entry.name, name)) return id;
        id = entry.nextInBucket;
    }
    return -1;
}

int XmlNameTable::Add(std::string_view name) {
    const std::uint32_t hash = Hash(name);
    const int found = Find(name, hash);
    if (found >= 0) return found;
    const int id = static_cast<int>(names_.size());
    int& bucket = buckets_[hash % BucketCount];
    // Room first: nothing may fail once the name is entered.
    if (entries_.size() == entries_.capacity()) entries_.reserve(2 * entries_.size() + 16);
    entries_.push_back({hash, bucket, names_.emplace_back(name)});
    bucket = id;
    return id;
}

}  // namespace tavrin
