// Settings files with buttons, written as text the way the program lays them
// out, for tests that set up or check the element "Buttons".
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tavrin::testing {

using ButtonItems = std::vector<std::pair<std::string, std::string>>;

// The 26 items of a button written in full, in the stored order: a launch
// button with everything empty or zero and WindowStyle 1, except the values given.
inline ButtonItems FullButtonItems(const std::map<std::string, std::string>& values = {}) {
    static const char* const names[] = {
        "BtnStyle", "IconFile",    "IconNumber", "Command",        "Parameters",    "WorkingDir", "Description",
        "HotKey",   "WindowStyle", "Priority",   "IgnoreRunTimes", "TotolRunTimes", "Day0",       "Day1",
        "Day2",     "Day3",        "Day4",       "Day5",           "Day6",          "Day0Week",   "Day1Week",
        "Day2Week", "Day3Week",    "Day4Week",   "Day5Week",       "Day6Week"};
    static const std::set<std::string> texts = {"IconFile",   "Command",     "Parameters",
                                                "WorkingDir", "Description", "HotKey"};
    ButtonItems items;
    for (const std::string name : names) {
        const auto given = values.find(name);
        items.emplace_back(name, given != values.end()   ? given->second
                                 : name == "WindowStyle" ? "1"
                                 : texts.contains(name)  ? ""
                                                         : "0");
    }
    return items;
}

inline std::string ButtonXml(const std::string& id, const ButtonItems& items) {
    std::string xml = "\r\n\t\t<Button ID=\"" + id + "\">";
    for (const auto& [name, value] : items) xml += "\r\n\t\t\t<Item Name=\"" + name + "\" Value=\"" + value + "\"/>";
    return xml + "\r\n\t\t</Button>";
}

inline std::string ButtonXml(int id, const std::map<std::string, std::string>& values = {}) {
    return ButtonXml(std::to_string(id), FullButtonItems(values));
}

// A settings file whose "Buttons" holds buttonsXml, after a "Groups" element
// that the button store must leave alone.
inline std::string SettingsXml(const std::string& buttonsXml) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups Count=\"2\">"
           "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>\r\n\t\t<Item ID=\"2\" Value=\"Tabsheet 2\"/>\r\n\t</Groups>" +
           (buttonsXml.empty() ? std::string("\r\n\t<Buttons/>")
                               : "\r\n\t<Buttons>" + buttonsXml + "\r\n\t</Buttons>") +
           "\r\n</GLConfig>";
}

}  // namespace tavrin::testing
