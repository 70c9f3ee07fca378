// The rules of the frequency report: its columns, the share of all starts
// that each row shows, the order a click on a column header gives, the
// choice of group, and the CSV text of an export.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ButtonStore.h"
#include "storage/Clock.h"

namespace tavrin {

// A column of the report, as the list shows it and the exports write it.
struct ReportColumn {
    const char* caption;
    int width;  // in 96-DPI pixels
    std::string (*text)(const ReportRow& row);
    // Ascending: below 0 when a comes first.
    int (*compare)(const ReportRow& a, const ReportRow& b);
    // The order needs every row described (it compares what the shell tells).
    bool sortsByDescription = false;
};

// What the exports write: File, Group, Index, Today, Week, Total, Per, Type
// and Full Path, in this order. Index, Today, Week and Total compare as
// numbers; every other column as text, ordinal with only the letters a-z
// folded to capitals, so that "Per" sorts as text (9.50% after 10.00%).
inline constexpr int kReportColumnCount = 9;
extern const std::array<ReportColumn, kReportColumnCount> kReportColumns;
inline constexpr int kReportTotalColumn = 5;

// What the list shows, and what its header clicks sort by: the same columns
// with the week bars beside Total, which the list draws itself (their text is
// empty) and which sort by the week's starts; and a file whose target is gone
// is named with " (missing)" after it.
inline constexpr int kReportListColumnCount = kReportColumnCount + 1;
extern const std::array<ReportColumn, kReportListColumnCount> kReportListColumns;
inline constexpr int kReportWeekBarsColumn = kReportTotalColumn + 1;

// The entries of the group choice: all groups, the buttons of all groups
// whose target is gone, then each group in order.
inline constexpr int kAllGroupsEntry = 0;
inline constexpr int kMissingTargetsEntry = 1;
inline constexpr int kFirstGroupEntry = 2;
// What an entry lists: the group (all groups when below 1) and whether only
// the rows whose target is gone. Typed text that names no entry (-1) lists all groups.
struct ReportChoice {
    int group = 0;
    bool missingOnly = false;
    bool operator==(const ReportChoice&) const = default;
};
[[nodiscard]] ReportChoice ReportChoiceOfEntry(int entry) noexcept;

// How the user writes numbers: the decimal and the thousands separator.
struct NumberSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// total as a share of grandTotal: a percentage rounded to at most four
// significant digits and shown with two decimals, then "%" ("33.33%",
// "100.00%"); empty when there is no share to show (total or grandTotal 0 or less).
// Exact for any totals of 64 bits whose share is below 10^16 %.
[[nodiscard]] std::string ShareText(std::int64_t total, std::int64_t grandTotal, const NumberSeparators& separators);

// The report's list and how it is ordered. A fill asks for the rows of a
// choice and returns their sum of totals. A row is described (its icon, type
// and missing target looked up) when it is first shown, or when an order or
// an export needs every row: the rows a list never shows cost the shell nothing.
class ReportTable {
public:
    using Fill = std::function<std::int64_t(std::vector<ReportRow>& rows, const ReportChoice& choice)>;
    using Describe = std::function<void(ReportRow& row)>;

    ReportTable(Fill fill, Describe describe, NumberSeparators separators);

    // As the report opens: the rows of all groups, sorted by Total, largest first.
    void Open();
    // The group choice changed to entry index (-1 for typed text that names
    // none): the rows are filled again when the entry differs from the one they
    // were filled for, then Total is clicked. True when the rows were filled again.
    bool SelectGroup(int index);
    // A click on the header of list column (0 to kReportListColumnCount - 1):
    // the same column again turns the order round; the rows are sorted by it
    // and their shares computed again.
    void ClickHeader(int column);

    [[nodiscard]] const std::vector<ReportRow>& Rows() const noexcept { return rows_; }
    // The row at index of Rows(), described.
    [[nodiscard]] const ReportRow& DescribedRow(std::size_t index);
    // Rows(), every one described.
    [[nodiscard]] const std::vector<ReportRow>& DescribedRows();
    [[nodiscard]] std::int64_t GrandTotal() const noexcept { return grandTotal_; }
    [[nodiscard]] int SortColumn() const noexcept { return sortColumn_; }
    [[nodiscard]] bool Ascending() const noexcept { return ascending_; }

private:
    void ComputeShares();

    Fill fill_;
    Describe describe_;
    NumberSeparators separators_;
    std::vector<ReportRow> rows_;
    std::int64_t grandTotal_ = 0;
    int groupSelection_ = -1;  // the entry the rows were filled for; none yet
    int sortColumn_ = 0;
    bool ascending_ = false;
};

// The name an export proposes: "Tavrin report(yyyymmdd)" with today's date and
// the extension ("csv", "xls").
[[nodiscard]] std::string ReportFileName(const LocalDate& today, std::string_view extension);

// One field of a CSV line: in double quotes, inner quotes doubled, when it
// holds a comma, a double quote, CR or LF; as it is otherwise.
[[nodiscard]] std::string CsvField(std::string_view text);

// The export of the rows in their order: UTF-8 with a byte-order mark, the
// column captions on the first line, a line per row, each line ended by CR LF.
[[nodiscard]] std::string ReportCsv(const std::vector<ReportRow>& rows);

}  // namespace tavrin
