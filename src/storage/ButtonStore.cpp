#include "storage/ButtonStore.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

#include "storage/PathNames.h"

namespace tavrin {
namespace {

constexpr const char* kButtons = "Buttons";
constexpr const char* kButton = "Button";
constexpr const char* kItem = "Item";
constexpr const char* kID = "ID";
constexpr const char* kName = "Name";
constexpr const char* kValue = "Value";

constexpr std::array<const char*, 7> kDayNames{"Day0", "Day1", "Day2", "Day3", "Day4", "Day5", "Day6"};
constexpr std::array<const char*, 7> kDayWeekNames{"Day0Week", "Day1Week", "Day2Week", "Day3Week",
                                                   "Day4Week", "Day5Week", "Day6Week"};

// The items of a button by group, each group in the stored order. visit is
// called with the item name and the field of record (const or not).
template <typename Record, typename Visit>
void ForEachPropertyItem(Record& record, Visit&& visit) {
    visit("BtnStyle", record.BtnStyle);
    visit("IconFile", record.IconFile);
    visit("IconNumber", record.IconNumber);
    visit("Command", record.Command);
    visit("Parameters", record.Parameters);
    visit("WorkingDir", record.WorkingDir);
    visit("Description", record.Description);
    visit("HotKey", record.HotKey);
    visit("WindowStyle", record.WindowStyle);
    visit("Priority", record.Priority);
    visit("IgnoreRunTimes", record.IgnoreRunTimes);
}

// The counters come with the largest value they may hold.
template <typename Record, typename Visit>
void ForEachStatisticsItem(Record& record, Visit&& visit) {
    visit("TotolRunTimes", record.TotolRunTimes, kMostRunTimes);
    for (std::size_t slot = 0; slot < kDayNames.size(); ++slot) {
        visit(kDayNames[slot], record.Day[slot], kMostDayCount);
    }
    for (std::size_t slot = 0; slot < kDayWeekNames.size(); ++slot) {
        visit(kDayWeekNames[slot], record.DayWeek[slot], kLastWeek);
    }
}

// All 26 items of a button written in full.
template <typename Record, typename Visit>
void ForEachItem(Record& record, Visit&& visit) {
    ForEachPropertyItem(record, visit);
    ForEachStatisticsItem(record, visit);
}

// What the grid draws, and the command that names a button without a description.
template <typename Record, typename Visit>
void ForEachSummaryItem(Record& record, Visit&& visit) {
    visit("BtnStyle", record.BtnStyle);
    visit("IconFile", record.IconFile);
    visit("Command", record.Command);
    visit("IconNumber", record.IconNumber);
    visit("Command", record.Command);
    visit("Description", record.Description);
    visit("HotKey", record.HotKey);
    visit("TotolRunTimes", record.TotolRunTimes, kMostRunTimes);
}

IXmlElement FindItem(const XmlElement& button, std::string_view name) {
    return button.FindChildElement(kItem, kName, std::string(name));
}

// A missing item, a missing "Value" and a value that is not a number in
// range all read as the default: a hand-edited button still loads. A counter
// is decimal digits alone, as the program writes it, from 0 to its largest
// value; any other text ("-4", "+4", " 7", "1e3", too large) reads as 0,
// which is then shown and counted on.
class ItemReader {
public:
    explicit ItemReader(const XmlElement& button) : button_(button) {}
    void operator()(std::string_view name, std::string& field) const {
        const IXmlElement item = FindItem(button_, name);
        field = item ? item->GetAttrText(kValue, "") : "";
    }
    void operator()(std::string_view name, int& field) const {
        const IXmlElement item = FindItem(button_, name);
        field = item ? item->GetAttrInt(kValue, 0) : 0;
    }
    void operator()(std::string_view name, bool& field) const {
        const IXmlElement item = FindItem(button_, name);
        field = item && item->GetAttrBool(kValue, false);
    }
    template <typename Count>
    void operator()(std::string_view name, Count& field, Count most) const {
        const IXmlElement item = FindItem(button_, name);
        field = item ? static_cast<Count>(ParseXmlCount(item->GetAttrText(kValue, ""), most).value_or(0)) : 0;
    }

private:
    const XmlElement& button_;
};

// Sets the value of each item, appending the items the button lacks.
class ItemWriter {
public:
    explicit ItemWriter(XmlElement& button) : button_(button) {}
    void operator()(std::string_view name, const std::string& value) const { Item(name)->SetAttrText(kValue, value); }
    void operator()(std::string_view name, int value) const { Item(name)->SetAttrInt(kValue, value); }
    void operator()(std::string_view name, bool value) const { Item(name)->SetAttrBool(kValue, value); }
    template <typename Count>
    void operator()(std::string_view name, Count value, Count) const {
        Item(name)->SetAttrText(kValue, std::to_string(value));
    }

private:
    IXmlElement Item(std::string_view name) const {
        if (IXmlElement item = FindItem(button_, name)) return item;
        IXmlElement item = button_.AddElement(kItem);
        item->SetAttrText(kName, std::string(name));
        return item;
    }

    XmlElement& button_;
};

IXmlElement ButtonsOf(const IXmlDocument& document) { return document->RootElement()->FirstChildElement(kButtons); }

IXmlElement ButtonsForWriting(const XmlEdit& edit) {
    if (IXmlElement buttons = ButtonsOf(edit.Document())) return buttons;
    return edit.Root()->AddElement(kButtons);
}

// The first "Button" of id: the one every read and change of id works on.
IXmlElement FindButton(const IXmlElement& buttons, int id) {
    return buttons ? buttons->FindChildElement(kButton, kID, XmlValue(std::int32_t{id})) : nullptr;
}

// The first "Button" of each ID that keep(id) accepts, in one pass over the
// buttons: the one every read of that ID finds.
template <typename Keep>
std::map<int, const XmlElement*> FirstButtonOfIds(const XmlElement& buttons, Keep&& keep) {
    std::map<int, const XmlElement*> firstOfId;
    for (const IXmlNode& child : buttons.ChildNodes()) {
        if (child->NodeType() != XmlNodeType::Element) continue;
        const auto& button = static_cast<const XmlElement&>(*child);
        const XmlValue* idText = button.Name() == kButton ? button.FindAttr(kID) : nullptr;
        const std::optional<std::int32_t> id = idText ? ValueAsInt(*idText) : std::nullopt;
        if (id && keep(*id)) firstOfId.emplace(*id, &button);
    }
    return firstOfId;
}

// Keeps the IDs of the grid slots of groups firstGroup to lastGroup.
auto InGroups(int firstGroup, int lastGroup) {
    return [firstGroup, lastGroup](int id) {
        return GroupOfButton(id) >= firstGroup && GroupOfButton(id) <= lastGroup && IsGridSlot(SlotOfButton(id));
    };
}

// Calls visit(id, button) for each stored button of groups 1 to groupCount, by group and slot.
template <typename Visit>
void ForEachButtonOfGroups(const IXmlElement& buttons, int groupCount, Visit&& visit) {
    if (!buttons) return;
    for (const auto& [id, button] : FirstButtonOfIds(*buttons, InGroups(1, groupCount))) visit(id, *button);
}

// Removes every "Button" of id, so that no stale duplicate of a hand-edited
// file takes the place of the one removed; returns how many there were.
int RemoveButtons(const IXmlElement& buttons, int id) {
    int removed = 0;
    while (const IXmlElement button = FindButton(buttons, id)) {
        buttons->RemoveChildNode(button);
        ++removed;
    }
    return removed;
}

void AppendButton(const IXmlElement& buttons, int id, const ButtonRecord& record) {
    const IXmlElement button = buttons->AddElement(kButton);
    button->SetAttrInt(kID, id);
    ForEachItem(record, ItemWriter(*button));
}

ButtonRecord ReadRecord(const XmlElement& button, int id) {
    ButtonRecord record;
    record.ID = id;
    record.Empty = false;
    ForEachItem(record, ItemReader(button));
    return record;
}

// A button of another kind than a launch button is read in full as well, so
// that moving or copying it carries its own fields.
std::optional<ButtonRecord> ReadRecord(const IXmlElement& buttons, int id) {
    const IXmlElement button = FindButton(buttons, id);
    if (!button) return std::nullopt;
    return ReadRecord(*button, id);
}

// What a slot holds to be written elsewhere: its record, or an empty one.
ButtonRecord StoredRecord(const IXmlElement& buttons, int id) {
    return ReadRecord(buttons, id).value_or(ButtonRecord{});
}

// A new button starts uncounted and included in the report.
ButtonRecord WithFreshStatistics(ButtonRecord record) {
    record.IgnoreRunTimes = false;
    record.TotolRunTimes = 0;
    record.Day.fill(0);
    record.DayWeek.fill(0);
    return record;
}

std::string ReplaceQuestion(const std::string& storedCommand, const std::string& droppedPath) {
    return "Use the:\r\n\r\n" + storedCommand + "\r\n\r\nReplace the exists icon:\r\n\r\n" + droppedPath;
}

}  // namespace

XmlDocumentFile& ButtonStore::File() const { return XmlDocumentFile::For(services_.fs, services_.settingsFileName); }

std::optional<ButtonRecord> ButtonStore::Load(int id) { return ReadRecord(ButtonsOf(File().Load()), id); }

namespace {

ButtonRecord ReadSummary(const XmlElement& button, int id) {
    ButtonRecord record;
    record.ID = id;
    record.Empty = false;
    ForEachSummaryItem(record, ItemReader(button));
    return record;
}

}  // namespace

std::optional<ButtonRecord> ButtonStore::LoadSummary(int id) {
    const IXmlElement button = FindButton(ButtonsOf(File().Load()), id);
    if (!button) return std::nullopt;
    return ReadSummary(*button, id);
}

// One pass over the buttons, whatever the number of groups, rather than a search for each slot.
std::map<int, ButtonRecord> ButtonStore::LoadGroupSummaries(int group) {
    std::map<int, ButtonRecord> summaries;
    const IXmlElement buttons = ButtonsOf(File().Load());
    if (!buttons) return summaries;
    for (const auto& [id, button] : FirstButtonOfIds(*buttons, InGroups(group, group))) {
        summaries.emplace(id, ReadSummary(*button, id));
    }
    return summaries;
}

// One pass over the buttons; of an ID stored twice the first counts, as for every read of it.
std::vector<ButtonTotal> ButtonStore::StoredTotals(int groupCount) {
    std::vector<ButtonTotal> totals;
    ForEachButtonOfGroups(ButtonsOf(File().Load()), groupCount, [&](int id, const XmlElement& button) {
        ButtonTotal& stored = totals.emplace_back(ButtonTotal{id, 0});
        ItemReader{button}("TotolRunTimes", stored.total, kMostRunTimes);
    });
    return totals;
}

std::vector<ButtonRecord> ButtonStore::StoredLaunchButtons(int groupCount) {
    std::vector<ButtonRecord> records;
    ForEachButtonOfGroups(ButtonsOf(File().Load()), groupCount, [&](int id, const XmlElement& button) {
        ButtonRecord record = ReadRecord(button, id);
        if (record.IsLaunchButton()) records.push_back(std::move(record));
    });
    return records;
}

std::vector<ButtonRecord> ButtonStore::StoredHotKeys(int groupCount) {
    std::vector<ButtonRecord> keyed;
    ForEachButtonOfGroups(ButtonsOf(File().Load()), groupCount, [&](int id, const XmlElement& button) {
        ButtonRecord record;
        record.ID = id;
        record.Empty = false;
        const ItemReader read{button};
        read("BtnStyle", record.BtnStyle);
        read("HotKey", record.HotKey);
        if (!record.IsLaunchButton() || record.HotKey.empty()) return;
        read("Command", record.Command);
        read("Description", record.Description);
        keyed.push_back(std::move(record));
    });
    return keyed;
}

void ButtonStore::Write(int id, const ButtonRecord& record) {
    if (record.IsEmpty()) {
        (void)Delete(id);
        return;
    }
    XmlEdit edit(File());
    const IXmlElement buttons = ButtonsForWriting(edit);
    RemoveButtons(buttons, id);
    AppendButton(buttons, id, record);
    edit.Save();
}

void ButtonStore::WriteProperties(int id, const ButtonRecord& record) {
    XmlEdit edit(File());
    const IXmlElement buttons = ButtonsForWriting(edit);
    if (const IXmlElement button = FindButton(buttons, id)) {
        ForEachPropertyItem(record, ItemWriter(*button));
    } else {
        AppendButton(buttons, id, WithFreshStatistics(record));
    }
    edit.Save();
}

// Only the counters are written: the other items keep the form the file gives them.
std::optional<ButtonRecord> ButtonStore::CountStart(int id) {
    XmlEdit edit(File());
    const IXmlElement button = FindButton(ButtonsOf(edit.Document()), id);
    if (!button) return std::nullopt;
    ButtonRecord record;
    ForEachItem(record, ItemReader(*button));
    record.ID = id;
    record.Empty = false;
    ::tavrin::CountStart(record, services_.clock.Today());
    ForEachStatisticsItem(record, ItemWriter(*button));
    edit.Save();
    return record;
}

bool ButtonStore::ResetCounts(int id) {
    XmlEdit edit(File());
    const IXmlElement button = FindButton(ButtonsOf(edit.Document()), id);
    if (!button) return false;
    const ButtonRecord uncounted;
    ForEachStatisticsItem(uncounted, ItemWriter(*button));
    edit.Save();
    return true;
}

// An ID holding nothing is looked up in the shared tree first, so that the
// file is neither saved nor its tree dropped in that case.
bool ButtonStore::Delete(int id) {
    if (!FindButton(ButtonsOf(File().Load()), id)) return false;
    XmlEdit edit(File());
    if (RemoveButtons(ButtonsOf(edit.Document()), id) == 0) return false;
    edit.Save();
    return true;
}

// The records were read from stored, the file's buttons as loaded. The file is
// neither saved nor its tree dropped when every record is empty and no button
// stands under its ID.
void ButtonStore::WritePlacements(const IXmlElement& stored, const std::vector<Placement>& placements) {
    const bool changes = std::any_of(placements.begin(), placements.end(), [&stored](const Placement& placement) {
        return !placement.second.IsEmpty() || FindButton(stored, placement.first);
    });
    if (!changes) return;
    XmlEdit edit(File());
    const IXmlElement buttons = ButtonsForWriting(edit);
    for (const auto& [id, record] : placements) {
        RemoveButtons(buttons, id);
        if (!record.IsEmpty()) AppendButton(buttons, id, record);
    }
    edit.Save();
}

void ButtonStore::ExchangeButtons(int a, int b) {
    if (a == b) return;
    const IXmlElement buttons = ButtonsOf(File().Load());
    WritePlacements(buttons, {{b, StoredRecord(buttons, a)}, {a, StoredRecord(buttons, b)}});
}

void ButtonStore::CopyButton(int from, int to) {
    if (from == to) return;
    const IXmlElement buttons = ButtonsOf(File().Load());
    WritePlacements(buttons, {{to, StoredRecord(buttons, from)}});
}

// As the slots would be written one by one: the nearest neighbour first, each
// into the place next to it, and the moved button last.
void ButtonStore::MoveButtonToSlot(int id, int slot) {
    const int from = SlotOfButton(id);
    if (slot == from || !IsGridSlot(slot) || !IsGridSlot(from)) return;
    const int group = GroupOfButton(id);
    const int step = slot < from ? -1 : 1;
    const IXmlElement buttons = ButtonsOf(File().Load());
    std::vector<Placement> placements;
    for (int k = from + step; k != slot + step; k += step) {
        placements.emplace_back(ButtonIDOf(group, k - step), StoredRecord(buttons, ButtonIDOf(group, k)));
    }
    placements.emplace_back(ButtonIDOf(group, slot), StoredRecord(buttons, id));
    WritePlacements(buttons, placements);
}

std::optional<AddedButton> ButtonStore::AddButtonFromPath(int id, const std::string& path, bool analyseLinkFile) {
    if (const IXmlElement existing = FindButton(ButtonsOf(File().Load()), id)) {
        std::string storedCommand;
        ItemReader{*existing}("Command", storedCommand);
        if (!services_.prompt.AskYesNo(ReplaceQuestion(storedCommand, path))) return std::nullopt;
    }
    const std::optional<ButtonRecord> made = ButtonFromPath(path, analyseLinkFile);
    if (!made) return std::nullopt;
    XmlEdit edit(File());
    const IXmlElement buttons = ButtonsForWriting(edit);
    RemoveButtons(buttons, id);
    AppendButton(buttons, id, *made);
    edit.Save();
    return AddedButton{made->Description, made->IconNumber, made->IconFile};
}

// A shortcut is followed to its target only when the option asks for it and
// the shortcut can be read; its target must exist. Any other existing file,
// a shortcut included, becomes a button that opens the file itself.
std::optional<ButtonRecord> ButtonStore::ButtonFromPath(const std::string& path, bool analyseLinkFile) {
    ButtonRecord record = WithFreshStatistics({});
    record.Empty = false;
    record.BtnStyle = kLaunchButton;
    record.WindowStyle = kShowNormal;
    if (services_.fs.FileExists(path)) {
        ShellLinkInfo link;
        if (analyseLinkFile && IsShortcutFileName(path) && services_.shell.ReadShellLink(path, link)) {
            if (!services_.fs.FileExists(link.Path) && !services_.fs.DirectoryExists(link.Path)) return std::nullopt;
            record.Command = services_.shell.GetCanonicalPath(link.Path);
            if (!link.WorkingDirectory.empty()) {
                record.WorkingDir = services_.shell.GetCanonicalPath(link.WorkingDirectory);
            }
            record.Parameters = link.Arguments;
            record.Description = link.Description.empty() ? ExtractFileName(record.Command) : link.Description;
            record.IconFile = link.IconLocation.empty() ? record.Command : link.IconLocation;
            record.IconNumber = link.IconLocation.empty() ? 0 : link.IconIndex;
            return record;
        }
    } else if (services_.fs.DirectoryExists(path)) {
        record.WindowStyle = kShowCurrent;
    } else {
        return std::nullopt;
    }
    record.Command = path;
    record.Description = ExtractFileName(path);
    record.IconFile = path;
    return record;
}

// The buttons are found in one pass; the map orders them by group and slot.
std::int64_t ButtonStore::FillReport(std::vector<ReportRow>& rows, int groupIndex,
                                     const std::vector<std::string>& groupNames, bool missingOnly) {
    const IXmlElement buttons = ButtonsOf(File().Load());
    if (!buttons) return 0;
    const LocalDate today = services_.clock.Today();
    const int firstGroup = groupIndex < 1 ? 1 : groupIndex;
    const int lastGroup = groupIndex < 1 ? static_cast<int>(groupNames.size()) : groupIndex;
    const auto firstOfId = FirstButtonOfIds(*buttons, InGroups(firstGroup, lastGroup));
    std::int64_t sum = 0;
    for (const auto& [id, stored] : firstOfId) {
        const ButtonRecord button = ReadRecord(*stored, id);
        if (!button.IsLaunchButton() || button.IgnoreRunTimes) continue;
        if (missingOnly && !CommandTargetMissing(button.Command)) continue;
        sum = button.TotolRunTimes > kMostRunTimes - sum ? kMostRunTimes : sum + button.TotolRunTimes;
        // A group beyond the list of names is listed without a name.
        const std::size_t nameIndex = static_cast<std::size_t>(GroupOfButton(id) - 1);
        ReportRow& row = rows.emplace_back();
        row.caption = ExtractFileName(button.Command);
        row.groupName = nameIndex < groupNames.size() ? groupNames[nameIndex] : "";
        row.id = id;
        row.today = TodayCount(button, today);
        row.week = WeekCount(button, today);
        row.total = button.TotolRunTimes;
        row.command = button.Command;
        row.days = ThisWeeksDays(button, today).counts;
        row.targetMissing = missingOnly;
    }
    return sum;
}

void ButtonStore::DescribeReportRow(ReportRow& row, ShellFileInfoCache& fileInfo) {
    if (row.described) return;
    const ShellFileInfo info = fileInfo.Get(row.command);
    row.systemIconIndex = info.systemIconIndex;
    row.typeName = info.typeName;
    row.targetMissing = CommandTargetMissing(row.command);
    row.described = true;
}

}  // namespace tavrin
