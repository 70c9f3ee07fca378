// Parse and write throughput of the XML layer beside pugixml, a fast tree
// parser used here only as a yardstick, on two inputs: the 218 KB settings
// file of 10 groups of 20 buttons that the start-up benchmark uses, and a
// file of the same kind of about 10 MB.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "SettingsProfile.h"
#include "xml/XmlTree.h"

namespace {

using namespace tavrin;

constexpr const char* kIconFile = "C:\\users\\user\\Temp\\tavrin-startup-bench-1234\\tavrin.exe";

// The two inputs, by their group count: 10 groups make 218 KB, 470 groups about 10 MB.
const std::string& Input(int groups) {
    static const std::string small = bench::SettingsProfile(10, kIconFile);
    static const std::string large = bench::SettingsProfile(470, kIconFile);
    return groups == 10 ? small : large;
}

std::string Identity(std::string_view bytes) { return std::string(bytes); }

#ifdef __GLIBC__
// Every iteration frees a whole tree, tens of MB for the large input, which
// glibc would hand back to the system only to fault it in again in the next
// iteration, for whichever parser runs after. Kept, as a running program's
// heap keeps it, the figures are those of the parsers and not of the system's
// page faults.
const bool g_heapKept = [] {
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    return true;
}();
#endif

void SetThroughput(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["KiB"] = static_cast<double>(text.size()) / 1024.0;
}

void BM_XmlParse(benchmark::State& state) {
    const std::string& text = Input(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        XmlDocument document;
        document.LoadFromText(text, "bench.xml", Identity);
        benchmark::DoNotOptimize(document.RootElement());
    }
    SetThroughput(state, text);
}
BENCHMARK(BM_XmlParse)->Arg(10)->Arg(470)->Unit(benchmark::kMicrosecond);

void BM_XmlWrite(benchmark::State& state) {
    const std::string& text = Input(static_cast<int>(state.range(0)));
    XmlDocument document;
    document.LoadFromText(text, "bench.xml", Identity);
    for (auto _ : state) {
        std::string written = document.ToText(text.size());  // as a save gives the size it read
        benchmark::DoNotOptimize(written.data());
    }
    SetThroughput(state, text);
}
BENCHMARK(BM_XmlWrite)->Arg(10)->Arg(470)->Unit(benchmark::kMicrosecond);

// pugixml parses a copy of the text in place, as its own file loading does.
void BM_XmlParsePugixml(benchmark::State& state) {
    const std::string& text = Input(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document document;
        const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
        if (!result) state.SkipWithError(result.description());
        benchmark::DoNotOptimize(document.first_child());
    }
    SetThroughput(state, text);
}
BENCHMARK(BM_XmlParsePugixml)->Arg(10)->Arg(470)->Unit(benchmark::kMicrosecond);

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

void BM_XmlWritePugixml(benchmark::State& state) {
    const std::string& text = Input(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    document.load_buffer(text.data(), text.size());
    for (auto _ : state) {
        StringWriter writer;
        document.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
        benchmark::DoNotOptimize(writer.out.data());
    }
    SetThroughput(state, text);
}
BENCHMARK(BM_XmlWritePugixml)->Arg(10)->Arg(470)->Unit(benchmark::kMicrosecond);

}  // namespace
