#include "xml/XmlNameTable.h"

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

int XmlNameTable::Find(std::string_view name) const noexcept {
    for (int id = buckets_[Hash(name) % BucketCount]; id >= 0; id = nextInBucket_[static_cast<std::size_t>(id)]) {
        if (names_[static_cast<std::size_t>(id)] == name) return id;
    }
    return -1;
}

int XmlNameTable::Add(std::string_view name) {
    const int found = Find(name);
    if (found >= 0) return found;
    const int id = static_cast<int>(names_.size());
    int& bucket = buckets_[Hash(name) % BucketCount];
    names_.emplace_back(name);
    nextInBucket_.push_back(bucket);
    bucket = id;
    return id;
}

}  // namespace tavrin
