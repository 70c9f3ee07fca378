#include "rules/CellSpeech.h"

#include <initializer_list>

#include "rules/ButtonFind.h"
#include "storage/ButtonRecord.h"

namespace tavrin {
namespace {

// The parts that are not empty, separated by ", ".
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += ", ";
        text += part;
    }
    return text;
}

}  // namespace

std::string GridPosition(int slot) {
    return "button " + std::to_string(slot) + " of " + std::to_string(kSlotsPerGroup);
}

std::string RowPosition(std::string_view row, int k) { return std::string(row) + " " + std::to_string(k) + " of 6"; }

std::string ButtonName(std::string_view description, std::string_view command) {
    return description.empty() ? CommandFileName(command) : std::string(description);
}

CellSpeech SpeechOf(std::string_view name, std::string_view hint, const CellPlace& place) {
    if (name.empty()) return {Joined({"empty", place.position}), place.group};
    return {std::string(name), Joined({hint == name ? std::string_view() : hint, place.position, place.group})};
}

}  // namespace tavrin
