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

ReportCells CellsOf(const ReportRow& row) {
    return {row.caption,
            row.groupName,
            std::to_string(row.id),
            std::to_string(row.today),
            std::to_string(row.week),
            std::to_string(row.total),
            row.share,
            row.typeName,
            row.command};
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

}  // namespace

int CompareReportRows(const ReportRow& a, const ReportRow& b, int column) {
    switch (column) {
        case 1:
            return CompareFolded(a.groupName, b.groupName);
        case 2:
            return CompareNumbers(a.id, b.id);
        case 3:
            return CompareNumbers(a.today, b.today);
        case 4:
            return CompareNumbers(a.week, b.week);
        case kReportTotalColumn:
            return CompareNumbers(a.total, b.total);
        case 6:
            return CompareFolded(a.share, b.share);
        case 7:
            return CompareFolded(a.typeName, b.typeName);
        case 8:
            return CompareFolded(a.command, b.command);
        default:
            return CompareFolded(a.caption, b.caption);
    }
}

ReportTable::ReportTable(Fill fill, NumberSeparators separators)
    : fill_(std::move(fill)), separators_(std::move(separators)) {}

void ReportTable::Open() {
    ascending_ = false;
    SelectGroup(0);
}

bool ReportTable::SelectGroup(int index) {
    const bool refill = index != groupSelection_;
    if (refill) {
        groupSelection_ = index;
        rows_.clear();
        grandTotal_ = fill_(rows_, index);
        ComputeShares();
    }
    ClickHeader(kReportTotalColumn);
    return refill;
}

// A stable sort: rows that compare equal keep the order they had.
void ReportTable::ClickHeader(int column) {
    if (column == sortColumn_) ascending_ = !ascending_;
    sortColumn_ = column;
    std::stable_sort(rows_.begin(), rows_.end(), [this](const ReportRow& a, const ReportRow& b) {
        return ascending_ ? CompareReportRows(a, b, sortColumn_) < 0 : CompareReportRows(b, a, sortColumn_) < 0;
    });
    ComputeShares();
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

template <typename Texts>
std::string CsvLine(const Texts& texts) {
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(texts[i]);
    }
    return line + "\r\n";
}

}  // namespace

std::string ReportCsv(const std::vector<ReportRow>& rows) {
    std::array<std::string_view, kReportColumns.size()> captions;
    std::transform(kReportColumns.begin(), kReportColumns.end(), captions.begin(),
                   [](const ReportColumn& column) { return std::string_view(column.caption); });
    std::string csv = "\xEF\xBB\xBF" + CsvLine(captions);
    for (const ReportRow& row : rows) csv += CsvLine(CellsOf(row));
    return csv;
}

}  // namespace tavrin
