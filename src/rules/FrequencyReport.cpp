#include "rules/FrequencyReport.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "xml/AsciiCase.h"

namespace tavrin {
namespace {

// floor(a × b / c) for c > 0 without forming a × b, which may not fit in 64
// bits: the whole multiples of c in a times b, and the rest by a long
// division in base 2, whose remainder stays below 2c. The quotient must fit.
std::uint64_t ScaledQuotient(std::uint64_t a, std::uint64_t b, std::uint64_t c) noexcept {
    const std::uint64_t rest = a % c;
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        quotient <<= 1;
        remainder <<= 1;
        if (remainder >= c) {
            remainder -= c;
            ++quotient;
        }
        if ((b >> bit) & 1) {
            remainder += rest;
            if (remainder >= c) {
                remainder -= c;
                ++quotient;
            }
        }
    }
    return a / c * b + quotient;
}

}  // namespace

// Computed on integers, so that a share that lies exactly between two shown
// values rounds up, as the decimal value says, whatever binary floating point
// would make of it. Rounding to two decimals and to four significant digits is
// one step, at the coarser of the two. A share x rounds half up to
// (floor(2x) + 1) / 2 units, so one division of the totals serves all.
std::string ShareText(std::int64_t total, std::int64_t grandTotal, const NumberSeparators& separators) {
    if (total <= 0 || grandTotal <= 0) return "";
    // Twice the share in hundredths of a percent, rounded down.
    const std::uint64_t doubled =
        ScaledQuotient(static_cast<std::uint64_t>(total), 20000, static_cast<std::uint64_t>(grandTotal));
    std::uint64_t integerDigits = 1;
    for (std::uint64_t whole = doubled / 200; whole >= 10; whole /= 10) ++integerDigits;
    // The unit the share is rounded to, in hundredths of a percent.
    std::uint64_t unit = 1;
    for (std::uint64_t digits = integerDigits; digits > 2; --digits) unit *= 10;
    const std::uint64_t hundredths = (doubled / unit + 1) / 2 * unit;

    const std::string whole = std::to_string(hundredths / 100);
    std::string text;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) text += separators.thousands;
        text += whole[i];
    }
    const std::uint64_t fraction = hundredths % 100;
    text += separators.decimal;
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text + "%";
}

namespace {

int CompareFolded(std::string_view a, std::string_view b) noexcept {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareNumbers(std::int64_t a, std::int64_t b) noexcept { return a < b ? -1 : a > b ? 1 : 0; }

template <std::string ReportRow::*field>
constexpr ReportColumn TextColumn(const char* caption, int width) {
    return {caption, width, [](const ReportRow& row) { return row.*field; },
            [](const ReportRow& a, const ReportRow& b) { return CompareFolded(a.*field, b.*field); }};
}

template <auto field>
constexpr ReportColumn NumberColumn(const char* caption, int width) {
    return {caption, width, [](const ReportRow& row) { return std::to_string(row.*field); },
            [](const ReportRow& a, const ReportRow& b) { return CompareNumbers(a.*field, b.*field); }};
}

constexpr ReportColumn kFile = TextColumn<&ReportRow::caption>("File", 150);
constexpr ReportColumn kGroup = TextColumn<&ReportRow::groupName>("Group", 80);
constexpr ReportColumn kIndex = NumberColumn<&ReportRow::id>("Index", 50);
constexpr ReportColumn kToday = NumberColumn<&ReportRow::today>("Today", 50);
constexpr ReportColumn kWeek = NumberColumn<&ReportRow::week>("Week", 50);
constexpr ReportColumn kTotal = NumberColumn<&ReportRow::total>("Total", 50);
constexpr ReportColumn kPer = TextColumn<&ReportRow::share>("Per", 50);
constexpr ReportColumn Described(ReportColumn column) {
    column.sortsByDescription = true;
    return column;
}

constexpr ReportColumn kType = Described(TextColumn<&ReportRow::typeName>("Type", 80));
constexpr ReportColumn kFullPath = TextColumn<&ReportRow::command>("Full Path", 200);

constexpr ReportColumn kListedFile{
    kFile.caption, kFile.width,
    [](const ReportRow& row) { return row.targetMissing ? row.caption + " (missing)" : row.caption; }, kFile.compare};
constexpr ReportColumn kWeekBars{"Mon-Sun", 84, [](const ReportRow&) { return std::string(); }, kWeek.compare};

}  // namespace

constinit const std::array<ReportColumn, kReportColumnCount> kReportColumns{
    {kFile, kGroup, kIndex, kToday, kWeek, kTotal, kPer, kType, kFullPath}};
constinit const std::array<ReportColumn, kReportListColumnCount> kReportListColumns{
    {kListedFile, kGroup, kIndex, kToday, kWeek, kTotal, kWeekBars, kPer, kType, kFullPath}};

ReportChoice ReportChoiceOfEntry(int entry) noexcept {
    if (entry == kMissingTargetsEntry) return {0, true};
    return {entry < kFirstGroupEntry ? 0 : entry - kFirstGroupEntry + 1, false};
}

ReportTable::ReportTable(Fill fill, Describe describe, NumberSeparators separators)
    : fill_(std::move(fill)), describe_(std::move(describe)), separators_(std::move(separators)) {}

void ReportTable::Open() {
    ascending_ = false;
    SelectGroup(0);
}

bool ReportTable::SelectGroup(int index) {
    const bool refill = index != groupSelection_;
    if (refill) {
        groupSelection_ = index;
        rows_.clear();
        grandTotal_ = fill_(rows_, ReportChoiceOfEntry(index));
        ComputeShares();
    }
    ClickHeader(kReportTotalColumn);
    return refill;
}

// A stable sort: rows that compare equal keep the order they had.
void ReportTable::ClickHeader(int column) {
    if (column == sortColumn_) ascending_ = !ascending_;
    sortColumn_ = column;
    const ReportColumn& sortBy = kReportListColumns.at(static_cast<std::size_t>(column));
    if (sortBy.sortsByDescription) (void)DescribedRows();
    const auto compare = sortBy.compare;
    std::stable_sort(rows_.begin(), rows_.end(), [this, compare](const ReportRow& a, const ReportRow& b) {
        return ascending_ ? compare(a, b) < 0 : compare(b, a) < 0;
    });
    ComputeShares();
}

const ReportRow& ReportTable::DescribedRow(std::size_t index) {
    ReportRow& row = rows_.at(index);
    if (!row.described) describe_(row);
    return row;
}

const std::vector<ReportRow>& ReportTable::DescribedRows() {
    for (std::size_t index = 0; index < rows_.size(); ++index) (void)DescribedRow(index);
    return rows_;
}

void ReportTable::ComputeShares() {
    for (ReportRow& row : rows_) row.share = ShareText(row.total, grandTotal_, separators_);
}

std::string ReportFileName(const LocalDate& today, std::string_view extension) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", today.year, today.month, today.day);
    return std::string("Tavrin report(") + date + ")." + std::string(extension);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

// A line of a text per column.
template <typename TextOf>
std::string CsvLine(TextOf textOf) {
    std::string line;
    for (std::size_t i = 0; i < kReportColumns.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(textOf(kReportColumns[i]));
    }
    return line + "\r\n";
}

}  // namespace

std::string ReportCsv(const std::vector<ReportRow>& rows) {
    std::string csv = "\xEF\xBB\xBF" + CsvLine([](const ReportColumn& column) { return column.caption; });
    for (const ReportRow& row : rows) csv += CsvLine([&row](const ReportColumn& column) { return column.text(row); });
    return csv;
}

}  // namespace tavrin
