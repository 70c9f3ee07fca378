// The button store: the buttons of all groups in the element "Buttons" of
// the user's settings file, one "Button" per ID holding 26 "Item" elements.
// An instance holds one current record; loading a button makes it current,
// the write operations put it back under an ID. Every operation loads the
// file afresh (the parsed tree is shared while the file is unchanged) and
// saves it whole when it changed something, so any number of instances
// work on the same file.
#pragma once

#include <cstdint>
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
// type and full path.
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
};

// The total of starts of one stored button.
struct ButtonTotal {
    int id = kNoButton;
    std::int64_t total = 0;
};

class ButtonStore {
public:
    explicit ButtonStore(const StorageServices& services) : services_(services) {}

    [[nodiscard]] ButtonRecord& Current() noexcept { return current_; }
    [[nodiscard]] const ButtonRecord& Current() const noexcept { return current_; }

    // Makes the button of id current; true when it is a launch button.
    bool LoadButton(int id);
    // Reads only IconFile, IconNumber, Description, HotKey and TotolRunTimes;
    // true when id holds a button of any kind.
    bool LoadButtonSummary(int id);
    // The totals of the buttons of groups 1 to groupCount, by group and slot:
    // what ranks the most-used panel without reading every button in full.
    [[nodiscard]] std::vector<ButtonTotal> StoredTotals(int groupCount);
    // Writes the whole current record as the button of id, replacing any, or
    // deletes the button of id when the current record is empty.
    void WriteButton(int id);
    // Writes the editable fields into the button of id, making a new button
    // (with zeroed counters, included in the report) when there is none.
    bool WriteProperties(int id);
    // Writes the counters into the stored button of id; nothing when there is none.
    void WriteStatistics(int id);
    // True when a button was removed.
    bool DeleteButton(int id);
    // Rearranging buttons: each reads the file once and saves it at most once,
    // leaving what loading and writing the records one by one with
    // WriteButton would leave. The current record is not touched.
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
    // is below 1) that is not left out of the report; returns the sum of their
    // totals, which stops at the largest total.
    std::int64_t FillReport(std::vector<ReportRow>& rows, int groupIndex, const std::vector<std::string>& groupNames);

    // Opens the current launch button through the shell and, when its command
    // exists, counts the start and writes the counters.
    void Launch();
    // The two halves of Launch: the start, true when it is to be counted, and
    // the count, which a transaction may run again on the file as it is then.
    [[nodiscard]] bool StartCurrent();
    void CountCurrentStart();
    // Asks the shell to explore the folder of the current button's command; a
    // refused request is not reported.
    void ExploreCommandFolder();

private:
    // A record to be written under an ID.
    using Placement = std::pair<int, ButtonRecord>;

    [[nodiscard]] XmlDocumentFile& File() const;
    // Writes each record under its ID in turn, as WriteButton does.
    void WritePlacements(const IXmlElement& stored, const std::vector<Placement>& placements);
    // Reads the button of id from buttons (which may be null) into the current record.
    bool LoadFrom(const IXmlElement& buttons, int id);
    std::optional<ButtonRecord> ButtonFromPath(const std::string& path, bool analyseLinkFile);
    void OpenCommandFile();

    StorageServices services_;
    ButtonRecord current_;
};

}  // namespace tavrin
