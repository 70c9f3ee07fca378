// Feeds arbitrary bytes to the reader. A document it accepts must survive a
// write, a second read and a second write unchanged; anything but XmlError
// escaping the reader is a fault.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "xml/XmlError.h"
#include "xml/XmlTree.h"

namespace {

// What the system's conversion does for code page 1252's Latin-1 part.
std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A table per input, so that the names of millions of inputs do not pile up.
    tavrin::TXmlNameTable names;
    std::string first;
    {
        tavrin::TXmlDocument document(names);
        try {
            document.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml",
                                  Latin1ToUtf8);
        } catch (const tavrin::XmlError&) {
            return 0;
        }
        first = document.ToText();
    }
    tavrin::TXmlDocument again(names);
    try {
        again.LoadFromText(first, "written.xml", Latin1ToUtf8);
    } catch (const tavrin::XmlError& error) {
        std::fprintf(stderr, "written text does not read back: %s\n", error.what());
        std::abort();
    }
    if (again.ToText() != first) {
        std::fprintf(stderr, "second write differs from the first\n");
        std::abort();
    }
    return 0;
}
