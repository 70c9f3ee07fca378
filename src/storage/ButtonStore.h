// The button store: the buttons of all groups in the element "Buttons" of
// the user's settings file, one "Button" per ID holding 26 "Item" elements.
// The store holds no button of its own: loads give records by value and
// writes take them. Every operation loads the file afresh (the parsed tree is
// shared while the file is unchanged, and within a transaction) and saves it
// whole when it changed something, so any number of instances work on the
// same file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/ButtonRecord.h"
#include "storage/StorageServices.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// What the window needs to draw a button made from a dropped name.
struct AddedButton {
    std::string description;
    int iconNumber = 0;
    std::string iconFile;
};

// One line of the frequency report: the caption with the shell's icon, then
// the columns group, index, today, week, total, share (left to the report),
// type and full path; and the starts of each day of this week. What the file
// system and the shell tell of the command (icon, type, whether the target is
// gone) is looked up only for the rows that need it: see DescribeReportRow.
struct ReportRow {
    std::string caption;       // the file-name part of the command
    int systemIconIndex = -1;  // the shell's icon for the command in the system image list
    std::string groupName;
    int id = kNoButton;
    int today = 0;
    std::int64_t week = 0;
    std::int64_t total = 0;
    std::string share;  // empty; the report computes it after every fill and sort
    std::string typeName;
    std::string command;
    DayCounts days{};
    bool targetMissing = false;
    bool described = false;  // icon, type and targetMissing are known
};

// The total of starts of one stored button.
struct ButtonTotal {
    int id = kNoButton;
    std::int64_t total = 0;
};

class ButtonStore {
public:
    explicit ButtonStore(const StorageServices& services) : services_(services) {}

    // The stored button of id, of any kind, read in full; empty when id holds none.
    [[nodiscard]] std::optional<ButtonRecord> Load(int id);
    // Only BtnStyle, IconFile, IconNumber, Command, Description, HotKey and
    // TotolRunTimes of the button of id, of any kind: what the grid draws and names.
    [[nodiscard]] std::optional<ButtonRecord> LoadSummary(int id);
    // The summaries of the stored buttons of the grid slots of group, by ID.
    [[nodiscard]] std::map<int, ButtonRecord> LoadGroupSummaries(int group);
    // The totals of the buttons of groups 1 to groupCount, by group and slot:
    // what ranks the most-used panel without reading every button in full.
    [[nodiscard]] std::vector<ButtonTotal> StoredTotals(int groupCount);
    // The launch buttons of groups 1 to groupCount, read in full, by group and
    // slot, in one pass: what the main window's find searches.
    [[nodiscard]] std::vector<ButtonRecord> StoredLaunchButtons(int groupCount);
    // The launch buttons of groups 1 to groupCount that have a HotKey text, by
    // group and slot, with only BtnStyle, Command, Description and HotKey
    // read: what the buttons' hot keys are registered from.
    [[nodiscard]] std::vector<ButtonRecord> StoredHotKeys(int groupCount);
    // Writes the whole record as the button of id, replacing any, or deletes
    // the button of id when the record is empty.
    void Write(int id, const ButtonRecord& record);
    // Writes the editable fields of record into the button of id, making a
    // new button (with zeroed counters, included in the report) when there is none.
    void WriteProperties(int id, const ButtonRecord& record);
    // Sets the total and the day counters of the stored button of id to 0;
    // false when id holds none.
    bool ResetCounts(int id);
    // True when a button was removed.
    bool Delete(int id);
    // Rearranging buttons: each reads the file once and saves it at most once,
    // leaving what loading and writing the records one by one would leave.
    // The buttons of a and b trade places; an empty slot trades with a button.
    void ExchangeButtons(int a, int b);
    // The button of to becomes a full copy of that of from, counters
    // included; an empty from clears to.
    void CopyButton(int from, int to);
    // The button of id moves to slot `slot` of its group; every slot between
    // shifts one place toward id's old slot, empty slots too.
    void MoveButtonToSlot(int id, int slot);

    // Makes the button of id from a dropped file, shortcut or folder, after
    // asking whether to replace a button already there. Empty when nothing
    // was made.
    std::optional<AddedButton> AddButtonFromPath(int id, const std::string& path, bool analyseLinkFile);
    // Adds a row per launch button of group groupIndex (of all groups when it
    // is below 1) that is not left out of the report, and with missingOnly
    // only of those whose target is gone; returns the sum of their totals,
    // which stops at the largest total. Only the file is read: the rows are
    // not described, except whether their target is gone with missingOnly.
    std::int64_t FillReport(std::vector<ReportRow>& rows, int groupIndex, const std::vector<std::string>& groupNames,
                            bool missingOnly = false);
    // Fills in the shell's icon and type of the row's command from fileInfo,
    // and whether its target is gone.
    void DescribeReportRow(ReportRow& row, ShellFileInfoCache& fileInfo);
    // A cache of the shell's information on commands, from the store's shell, for a report's life.
    [[nodiscard]] ShellFileInfoCache MakeFileInfoCache() const { return {services_.shell, services_.fs}; }

    // True for a launch button whose command names nothing any more: neither
    // a file nor a folder, or a shortcut whose target is gone. A button
    // without a command is not missing: there is nothing to find.
    [[nodiscard]] bool TargetMissing(const ButtonRecord& record);
    // The same for the command of a launch button.
    [[nodiscard]] bool CommandTargetMissing(const std::string& command);
    // Opens a launch button whose command exists through the shell; true when
    // the start is to be counted (the shell's answer does not matter).
    [[nodiscard]] bool Start(const ButtonRecord& record);
    // Counts a start of the stored button of id on top of the counters the
    // file holds now and writes them; the counted record, or empty when id
    // holds no button.
    std::optional<ButtonRecord> CountStart(int id);
    // Starts the launch button of id and counts the start: the two above.
    void Launch(int id);
    // Asks the shell to explore the folder of a command; a refused request is
    // not reported.
    void ExploreCommandFolder(const std::string& command);

private:
    // A record to be written under an ID.
    using Placement = std::pair<int, ButtonRecord>;

    [[nodiscard]] XmlDocumentFile& File() const;
    // Writes each record under its ID in turn, as Write does.
    void WritePlacements(const IXmlElement& stored, const std::vector<Placement>& placements);
    std::optional<ButtonRecord> ButtonFromPath(const std::string& path, bool analyseLinkFile);
    void OpenCommandFile(const ButtonRecord& record);

    StorageServices services_;
};

}  // namespace tavrin
