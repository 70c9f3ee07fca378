// Feeds arbitrary bytes to the reader. A document it accepts must survive a
// write, a second read and a second write unchanged; anything but XmlError
// escaping the reader is a fault.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "xml/XmlError.h"
#include "xml/XmlTree.h"

namespace {

// The ANSI code page of the fuzzer defines only ASCII, so that legacy text
// both converts and fails to convert, without a slow decoder of its own.
std::string AsciiToUtf8(std::string_view bytes) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        throw std::range_error("not ASCII");
    }
    return std::string(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A table per input, so that the names of millions of inputs do not pile up.
    tavrin::XmlNameTable names;
    std::string first;
    {
        tavrin::XmlDocument document(names);
        try {
            document.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml", AsciiToUtf8);
        } catch (const tavrin::XmlError&) {
            return 0;
        }
        first = document.ToText();
    }
    tavrin::XmlDocument again(names);
    try {
        again.LoadFromText(first, "written.xml", AsciiToUtf8);
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
