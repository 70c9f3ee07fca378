// Parse and write throughput of the XML layer on a settings file of the size
// the program keeps: 10 groups of 20 buttons with 26 items each.
#include <benchmark/benchmark.h>

#include <string>

#include "xml/XmlTree.h"

namespace {

using namespace tavrin;

std::string SettingsText() {
    auto document = NewXmlDocument("GLConfig");
    auto root = document->RootElement();
    auto application = root->AddElement("Application");
    for (const char* name : {"AlwaysOnTop", "Left", "Top", "HotKey", "TabStyle", "AnalyseLinkFile"}) {
        auto item = application->AddElement("Item");
        item->SetAttrText("Name", name);
        item->SetAttrInt("Value", 1);
    }
    auto groups = root->AddElement("Groups");
    auto buttons = root->AddElement("Buttons");
    for (int group = 1; group <= 10; ++group) {
        auto item = groups->AddElement("Item");
        item->SetAttrInt("Name", group);
        item->SetAttrText("Value", "Group " + std::to_string(group));
        for (int slot = 1; slot <= 20; ++slot) {
            auto button = buttons->AddElement("Button");
            button->SetAttrInt("ID", group * 100 + slot);
            for (int field = 0; field < 26; ++field) {
                auto value = button->AddElement("Item");
                value->SetAttrText("Name", "Field" + std::to_string(field));
                if (field == 1) {
                    value->SetAttrText("Value", "C:\\Program Files\\Tool " + std::to_string(slot) + "\\tool.exe");
                } else {
                    value->SetAttrInt("Value", field * slot);
                }
            }
        }
    }
    return document->ToText();
}

std::string Identity(std::string_view bytes) { return std::string(bytes); }

void BM_XmlParseSettings(benchmark::State& state) {
    const std::string text = SettingsText();
    for (auto _ : state) {
        XmlDocument document;
        document.LoadFromText(text, "bench.xml", Identity);
        benchmark::DoNotOptimize(document.RootElement());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlParseSettings);

void BM_XmlWriteSettings(benchmark::State& state) {
    const std::string text = SettingsText();
    XmlDocument document;
    document.LoadFromText(text, "bench.xml", Identity);
    for (auto _ : state) {
        std::string written = document.ToText();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlWriteSettings);

}  // namespace
