#include "storage/AppSettings.h"

#include "storage/ButtonRecord.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

namespace tavrin {
namespace {

constexpr const char* kRoot = "GLConfig";
constexpr const char* kApplication = "Application";
constexpr const char* kGroups = "Groups";
constexpr const char* kRecent = "Last6Buttons";
constexpr const char* kButtons = "Buttons";
constexpr const char* kItem = "Item";
constexpr const char* kButton = "Button";
constexpr const char* kName = "Name";
constexpr const char* kValue = "Value";
constexpr const char* kId = "ID";
constexpr const char* kCount = "Count";
constexpr const char* kRunValueName = "Tavrin";

constexpr std::size_t kStoredRecent = 6;
constexpr int kDefaultGroupCount = 2;
constexpr int kLastTabStyle = 2;  // tabs, buttons, flat buttons
// A "Count" beyond this is taken for a slip of a hand-edited file, not for
// groups someone made: the groups are then counted from the items that exist.
constexpr int kMaxGroups = 1000;

// One option of "Application": its item name and the field it fills.
using OptionField = std::variant<bool AppOptions::*, int AppOptions::*, std::string AppOptions::*>;
struct OptionItem {
    std::string_view name;
    OptionField field;
};

// In the order in which a new file lists them.
const std::array<OptionItem, 14> kOptionItems{{
    {"RunStartup", &AppOptions::RunStartup},
    {"ShowAppPanel", &AppOptions::ShowAppPanel},
    {"LastPanelIndex", &AppOptions::LastPanelIndex},
    {"SplashScreen", &AppOptions::SplashScreen},
    {"AlwaysOnTop", &AppOptions::AlwaysOnTop},
    {"IgnoreBlankButton", &AppOptions::IgnoreBlankButton},
    {"AnalyseLinkFile", &AppOptions::AnalyseLinkFile},
    {"GlobalHotKey", &AppOptions::GlobalHotKeyText},
    {"FavoriteGroup", &AppOptions::FavoriteGroup},
    {"IconSize", &AppOptions::IconSize},
    {"ButtonSpacing", &AppOptions::ButtonSpacing},
    {"TabStyle", &AppOptions::TabStyle},
    {"X", &AppOptions::X},
    {"Y", &AppOptions::Y},
}};

IXmlElement ChildOrAdd(const IXmlElement& parent, const char* name) {
    if (IXmlElement child = parent->FirstChildElement(name)) return child;
    return parent->AddElement(name);
}

bool IsElementNamed(const IXmlNode& node, std::string_view name) {
    return node->NodeType() == XmlNodeType::Element && static_cast<const XmlElement&>(*node).Name() == name;
}

std::optional<int> IntAttr(const IXmlNode& node, std::string_view name) {
    const XmlValue* value = node->FindAttr(name);
    return value ? ValueAsInt(*value) : std::nullopt;
}

// Removes the "Item" children only: a comment someone put there stays.
void RemoveItems(const IXmlElement& element) {
    std::vector<IXmlNode> items;
    for (const IXmlNode& child : element->ChildNodes()) {
        if (IsElementNamed(child, kItem)) items.push_back(child);
    }
    for (const IXmlNode& item : items) element->RemoveChildNode(item);
}

IXmlElement FindOptionItem(const IXmlElement& application, std::string_view name) {
    return application->FindChildElement(kItem, kName, std::string(name));
}

// A missing item, a missing "Value" and a value that is not of the field's
// type all read the option's default.
void ReadOption(const IXmlElement& application, const OptionItem& option, const AppOptions& defaults,
                AppOptions& options) {
    const IXmlElement item = application ? FindOptionItem(application, option.name) : nullptr;
    std::visit(
        [&](auto field) {
            using Field = std::remove_cvref_t<decltype(options.*field)>;
            const Field& fallback = defaults.*field;
            if (!item) {
                options.*field = fallback;
            } else if constexpr (std::is_same_v<Field, bool>) {
                options.*field = item->GetAttrBool(kValue, fallback);
            } else if constexpr (std::is_same_v<Field, int>) {
                options.*field = item->GetAttrInt(kValue, fallback);
            } else {
                options.*field = item->GetAttrText(kValue, fallback);
            }
        },
        option.field);
}

// Sets every option's item, appending those the element lacks in the order of a new file.
void WriteOptions(const IXmlElement& application, const AppOptions& options) {
    for (const OptionItem& option : kOptionItems) {
        IXmlElement item = FindOptionItem(application, option.name);
        if (!item) {
            item = application->AddElement(kItem);
            item->SetAttrText(kName, std::string(option.name));
        }
        std::visit(
            [&](auto field) {
                using Field = std::remove_cvref_t<decltype(options.*field)>;
                if constexpr (std::is_same_v<Field, bool>) {
                    item->SetAttrBool(kValue, options.*field);
                } else if constexpr (std::is_same_v<Field, int>) {
                    item->SetAttrInt(kValue, options.*field);
                } else {
                    item->SetAttrText(kValue, options.*field);
                }
            },
            option.field);
    }
}

std::string DefaultGroupName(int index) { return "Tabsheet " + std::to_string(index); }

std::vector<std::string> DefaultGroupNames() {
    std::vector<std::string> names;
    for (int index = 1; index <= kDefaultGroupCount; ++index) names.push_back(DefaultGroupName(index));
    return names;
}

// The number of groups of "Groups". A "Count" that is missing, not a number,
// negative or beyond kMaxGroups does not say how many groups there are: the
// highest group ID among the items answers instead, and without items the
// default number of groups.
int StoredGroupCount(const IXmlElement& groups) {
    const std::optional<int> count = IntAttr(groups, kCount);
    if (count && *count >= 0 && *count <= kMaxGroups) return *count;
    int highest = 0;
    for (const IXmlNode& child : groups->ChildNodes()) {
        if (!IsElementNamed(child, kItem)) continue;
        const std::optional<int> id = IntAttr(child, kId);
        if (id && *id <= kMaxGroups) highest = std::max(highest, *id);
    }
    return highest > 0 ? highest : kDefaultGroupCount;
}

std::vector<std::string> ReadGroupNames(const IXmlElement& groups) {
    if (!groups) return DefaultGroupNames();
    const int count = StoredGroupCount(groups);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int index = 1; index <= count; ++index) {
        const IXmlElement item = groups->FindChildElement(kItem, kId, index);
        names.push_back(item ? item->GetAttrText(kValue, DefaultGroupName(index)) : DefaultGroupName(index));
    }
    return names;
}

void WriteGroups(const IXmlElement& root, const std::vector<std::string>& names) {
    const IXmlElement groups = ChildOrAdd(root, kGroups);
    groups->SetAttrInt(kCount, static_cast<int>(names.size()));
    RemoveItems(groups);
    for (std::size_t index = 1; index <= names.size(); ++index) {
        const IXmlElement item = groups->AddElement(kItem);
        item->SetAttrInt(kId, static_cast<int>(index));
        item->SetAttrText(kValue, names[index - 1]);
    }
}

// Button IDs in their plain decimal form. An entry that is no button ID (not a
// number, zero or negative) or that repeats an earlier one reads "0", so that
// moving and removing an ID always finds its one place.
std::vector<std::string> ReadRecent(const IXmlElement& recent) {
    std::vector<std::string> list;
    for (std::size_t index = 1; index <= kStoredRecent; ++index) {
        const IXmlElement item = recent->FindChildElement(kItem, kId, static_cast<int>(index));
        const std::optional<int> id = item ? IntAttr(item, kValue) : std::nullopt;
        std::string text = id && *id > 0 ? std::to_string(*id) : "0";
        if (std::find(list.begin(), list.end(), text) != list.end()) text = "0";
        list.push_back(std::move(text));
    }
    return list;
}

// The first six entries; a shorter list is filled up with "0".
void WriteRecent(const IXmlElement& root, const std::vector<std::string>& list) {
    const IXmlElement recent = ChildOrAdd(root, kRecent);
    RemoveItems(recent);
    for (std::size_t index = 1; index <= kStoredRecent; ++index) {
        const IXmlElement item = recent->AddElement(kItem);
        item->SetAttrInt(kId, static_cast<int>(index));
        item->SetAttrText(kValue, index <= list.size() ? list[index - 1] : "0");
    }
}

IXmlDocument DefaultDocument(const AppOptions& options) {
    IXmlDocument document = NewXmlDocument(kRoot);
    const IXmlElement root = document->RootElement();
    WriteOptions(root->AddElement(kApplication), options);
    WriteGroups(root, DefaultGroupNames());
    WriteRecent(root, {});
    root->AddElement(kButtons);
    return document;
}

// Deletes the buttons of group index and gives those of groups index + 1 to
// lastGroup the IDs of the group before. Every "Button" is looked at once, so
// a renumbered button can never meet one that has not been moved yet, even
// when a hand-edited file holds an ID twice.
void RemoveGroupButtons(const IXmlElement& buttons, int index, int lastGroup) {
    std::vector<IXmlNode> removed;
    for (const IXmlNode& child : buttons->ChildNodes()) {
        if (!IsElementNamed(child, kButton)) continue;
        const std::optional<int> id = IntAttr(child, kId);
        if (!id || *id <= 0) continue;
        const int group = GroupOfButton(*id);
        const int slot = SlotOfButton(*id);
        if (slot < 1 || slot > kSlotsPerGroup || group < index || group > lastGroup) continue;
        if (group == index) {
            removed.push_back(child);
        } else {
            child->SetAttrInt(kId, ButtonIDOf(group - 1, slot));
        }
    }
    for (const IXmlNode& button : removed) buttons->RemoveChildNode(button);
}

}  // namespace

bool IsSettingsDocument(const XmlDocument& document) {
    const IXmlElement root = document.RootElement();
    return root && root->Name() == kRoot;
}

AppSettings::AppSettings(const StorageServices& services)
    : fs_(services.fs), environment_(services.environment), fileName_(services.settingsFileName) {}

XmlDocumentFile& AppSettings::File() const { return XmlDocumentFile::For(fs_, fileName_); }

AppOptions AppSettings::Defaults() const {
    AppOptions defaults;
    defaults.X = environment_.ScreenWidth();
    defaults.Y = environment_.WorkAreaHeight();
    return defaults;
}

// Only start-up, after looking for a copy of a missing file, writes the
// defaults. A file that goes missing later (deleted, or moved aside for a
// moment by another copy's save) fails the operation instead: a silent new
// file would drop every button. A file seen in this step of the program is
// taken to be there still.
void AppSettings::RequireFile() {
    if (!File().SeenInStep() && !fs_.FileExists(fileName_)) {
        throw FileError(fileName_, "The settings file is missing. Tavrin looks for a copy of it at the next start.");
    }
}

void AppSettings::CreateDefaultSettings() {
    const AppOptions defaults = Defaults();
    X = defaults.X;
    Y = defaults.Y;
    File().Save(DefaultDocument(defaults));
}

void AppSettings::LoadSettings() {
    if (!fs_.FileExists(fileName_)) CreateDefaultSettings();
    const IXmlElement application = File().Load()->RootElement()->FirstChildElement(kApplication);
    const AppOptions defaults = Defaults();
    for (const OptionItem& option : kOptionItems) ReadOption(application, option, defaults, *this);
    if (TabStyle < 0 || TabStyle > kLastTabStyle) TabStyle = defaults.TabStyle;
}

void AppSettings::SaveSettings() {
    RequireFile();
    XmlEdit edit(File());
    WriteOptions(ChildOrAdd(edit.Root(), kApplication), *this);
    edit.Save();
}

// Replaces the lists rather than appending to them, so that loading twice
// does not list every group twice.
void AppSettings::LoadGroups() {
    RequireFile();
    GroupNames = ReadGroupNames(File().Load()->RootElement()->FirstChildElement(kGroups));
    GroupCount = static_cast<int>(GroupNames.size());
}

void AppSettings::SaveGroups() {
    RequireFile();
    XmlEdit edit(File());
    WriteGroups(edit.Root(), GroupNames);
    edit.Save();
    GroupCount = static_cast<int>(GroupNames.size());
}

void AppSettings::SetGroupName(int index, const std::string& name) {
    if (index < 1 || index > static_cast<int>(GroupNames.size())) return;
    RequireFile();
    XmlEdit edit(File());
    std::vector<std::string> names = GroupNames;
    names[static_cast<std::size_t>(index) - 1] = name;
    if (const IXmlElement groups = edit.Root()->FirstChildElement(kGroups)) {
        groups->SetAttrInt(kCount, static_cast<int>(names.size()));
        IXmlElement item = groups->FindChildElement(kItem, kId, index);
        if (!item) {
            item = groups->AddElement(kItem);
            item->SetAttrInt(kId, index);
        }
        item->SetAttrText(kValue, name);
    } else {
        WriteGroups(edit.Root(), names);  // a lost "Groups" comes back whole, not with one group
    }
    edit.Save();
    GroupNames = std::move(names);
    GroupCount = static_cast<int>(GroupNames.size());
}

void AppSettings::AddGroup(const std::string& name) {
    GroupNames.push_back(name);
    SetGroupName(static_cast<int>(GroupNames.size()), name);
}

// The buttons and the group list change in one save, so the file never holds
// renumbered buttons under the old group list.
bool AppSettings::DeleteGroup(int index) {
    const int groupCount = static_cast<int>(GroupNames.size());
    if (index < 1 || index > groupCount) return false;
    RequireFile();
    XmlEdit edit(File());
    RemoveGroupButtons(ChildOrAdd(edit.Root(), kButtons), index, groupCount);
    std::vector<std::string> names = GroupNames;
    names.erase(names.begin() + (index - 1));
    WriteGroups(edit.Root(), names);
    edit.Save();
    GroupNames = std::move(names);
    GroupCount = static_cast<int>(GroupNames.size());
    return true;
}

// A Run key that cannot be opened is not reported: the option keeps the user's choice.
void AppSettings::SetRunAtStartup(bool on) {
    RunStartup = on;
    const std::optional<std::string> data =
        on ? std::optional<std::string>("\"" + environment_.ExecutablePath() + "\"") : std::nullopt;
    (void)environment_.SetRunAtLogonValue(kRunValueName, data);
}

void AppSettings::LoadRecent() {
    RequireFile();
    if (const IXmlElement recent = File().Load()->RootElement()->FirstChildElement(kRecent)) {
        RecentList = ReadRecent(recent);
        return;
    }
    RecentList.assign(kStoredRecent, "0");
    XmlEdit edit(File());
    WriteRecent(edit.Root(), RecentList);
    edit.Save();
}

void AppSettings::SaveRecent() {
    RequireFile();
    XmlEdit edit(File());
    WriteRecent(edit.Root(), RecentList);
    edit.Save();
}

void AppSettings::PushRecent(int buttonId) {
    const std::string id = std::to_string(buttonId);
    if (const auto found = std::find(RecentList.begin(), RecentList.end(), id); found != RecentList.end()) {
        RecentList.erase(found);
    }
    RecentList.insert(RecentList.begin(), id);
    SaveRecent();
}

bool AppSettings::RemoveRecent(int buttonId) {
    const auto found = std::find(RecentList.begin(), RecentList.end(), std::to_string(buttonId));
    if (found == RecentList.end()) return false;
    RecentList.erase(found);
    RecentList.push_back("0");
    SaveRecent();
    return true;
}

bool AppSettings::SwapRecent(int a, int b) {
    const std::string textA = std::to_string(a);
    const std::string textB = std::to_string(b);
    const auto foundA = std::find(RecentList.begin(), RecentList.end(), textA);
    const auto foundB = std::find(RecentList.begin(), RecentList.end(), textB);
    if (foundA == RecentList.end() && foundB == RecentList.end()) return false;
    if (foundA != RecentList.end()) *foundA = textB;
    if (foundB != RecentList.end()) *foundB = textA;
    SaveRecent();
    return true;
}

}  // namespace tavrin
