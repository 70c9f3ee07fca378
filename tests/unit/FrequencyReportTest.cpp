#include "rules/FrequencyReport.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

ReportRow Row(const std::string& caption, int id, int total, const std::string& command = "C:\\x",
              bool targetMissing = false) {
    ReportRow row;
    row.caption = caption;
    row.id = id;
    row.total = total;
    row.week = total % 7;
    row.command = command;
    row.targetMissing = targetMissing;
    return row;
}

int Compare(int column, const ReportRow& a, const ReportRow& b) { return kReportColumns[column].compare(a, b); }

std::vector<int> IdsOf(const ReportTable& table) {
    std::vector<int> ids;
    for (const ReportRow& row : table.Rows()) ids.push_back(row.id);
    return ids;
}

TEST(FrequencyReportTest, SharesHaveTwoDecimalsAtMostFourSignificantDigitsAndTheUsersSeparators) {
    const NumberSeparators dot;
    EXPECT_EQ(ShareText(1, 3, dot), "33.33%");
    EXPECT_EQ(ShareText(2, 3, dot), "66.67%");
    EXPECT_EQ(ShareText(3, 3, dot), "100.00%");
    EXPECT_EQ(ShareText(19, 200, dot), "9.50%");
    EXPECT_EQ(ShareText(1, 32, dot), "3.13%");  // exactly 3.125: up
    EXPECT_EQ(ShareText(1, 30000, dot), "0.00%");
    EXPECT_EQ(ShareText(99996, 100000, dot), "100.00%");
    // Totals of 64 bits, exactly: a tie still rounds up.
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(ShareText(most, most, dot), "100.00%");
    EXPECT_EQ(ShareText(most / 3, most, dot), "33.33%");
    EXPECT_EQ(ShareText(1, most, dot), "0.00%");
    EXPECT_EQ(ShareText(std::int64_t{1} << 57, std::int64_t{1} << 62, dot), "3.13%");
    EXPECT_EQ(ShareText(99'999'999'999, 100'000'000'000, dot), "100.00%");
    // Beyond 100 % four significant digits hold.
    EXPECT_EQ(ShareText(12345, 1000, dot), "1,235.00%");
    EXPECT_EQ(ShareText(123456, 1000, {",", "\xC2\xA0"}),
              "12\xC2\xA0"
              "350,00%");
    EXPECT_EQ(ShareText(1, 3, {",", "."}), "33,33%");
    // Nothing to show: no starts, or no positive sum to share.
    EXPECT_EQ(ShareText(0, 3, dot), "");
    EXPECT_EQ(ShareText(-2, 3, dot), "");
    EXPECT_EQ(ShareText(5, 0, dot), "");
}

TEST(FrequencyReportTest, TextColumnsFoldOnlyAsciiLettersNumbersCompareAsNumbers) {
    EXPECT_EQ(Compare(0, Row("abc.exe", 1, 0), Row("ABC.EXE", 2, 0)), 0);
    EXPECT_LT(Compare(0, Row("a.exe", 1, 0), Row("B.exe", 2, 0)), 0);
    // a-z are folded to capitals, so "_" (after "Z") sorts after letters.
    EXPECT_GT(Compare(0, Row("_x", 1, 0), Row("a", 2, 0)), 0);
    // Letters beyond ASCII are not folded: ordinal.
    EXPECT_NE(Compare(0, Row("\xC3\xA9", 1, 0), Row("\xC3\x89", 2, 0)), 0);
    EXPECT_LT(Compare(kReportTotalColumn, Row("z", 1, 9), Row("a", 2, 10)), 0);
    EXPECT_LT(Compare(2, Row("z", 99, 0), Row("a", 101, 0)), 0);
    EXPECT_LT(Compare(8, Row("z", 1, 0, "C:\\a"), Row("a", 2, 0, "c:\\B")), 0);
}

class ReportTableTest : public ::testing::Test {
protected:
    // Group 1 holds rows 101 and 102, group 2 rows 201 and 202; the target of 202 is gone.
    ReportTable table_{[this](std::vector<ReportRow>& rows, const ReportChoice& choice) -> std::int64_t {
                           filledFor_.push_back(choice);
                           std::int64_t sum = 0;
                           for (const ReportRow& row : all_) {
                               if (choice.group >= 1 && GroupOfButton(row.id) != choice.group) continue;
                               if (choice.missingOnly && !row.targetMissing) continue;
                               rows.push_back(row);
                               sum += row.total;
                           }
                           return sum;
                       },
                       [this](ReportRow& row) {
                           described_.push_back(row.id);
                           row.typeName = row.id % 2 ? "Zip" : "Text";
                           row.described = true;
                       },
                       {}};
    std::vector<ReportRow> all_{Row("b.exe", 101, 19), Row("A.exe", 102, 0), Row("c.exe", 201, 100),
                                Row("d.exe", 202, 81, "C:\\x", true)};
    std::vector<ReportChoice> filledFor_;
    std::vector<int> described_;
};

TEST_F(ReportTableTest, OpensOnAllGroupsByTotalLargestFirstWithShares) {
    table_.Open();
    EXPECT_EQ(filledFor_, (std::vector<ReportChoice>{{0, false}}));
    EXPECT_EQ(table_.GrandTotal(), 200);
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{201, 202, 101, 102}));
    EXPECT_EQ(table_.SortColumn(), kReportTotalColumn);
    EXPECT_FALSE(table_.Ascending());
    EXPECT_EQ(table_.Rows()[0].share, "50.00%");
    EXPECT_EQ(table_.Rows()[2].share, "9.50%");
    EXPECT_EQ(table_.Rows()[3].share, "");  // no starts
}

TEST_F(ReportTableTest, HeaderClicksTurnTheOrderOnlyOnTheSameColumn) {
    table_.Open();
    table_.ClickHeader(kReportTotalColumn);
    EXPECT_TRUE(table_.Ascending());
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{102, 101, 202, 201}));
    table_.ClickHeader(kReportTotalColumn);
    EXPECT_FALSE(table_.Ascending());
    table_.ClickHeader(0);  // another column keeps the direction
    EXPECT_FALSE(table_.Ascending());
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{202, 201, 101, 102}));
    // "Per" sorts as text: 9.50% after 50.00% and 40.50% ascending, the empty share first.
    table_.ClickHeader(kReportWeekBarsColumn + 1);
    table_.ClickHeader(kReportWeekBarsColumn + 1);
    EXPECT_TRUE(table_.Ascending());
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{102, 202, 201, 101}));
}

TEST_F(ReportTableTest, AGroupChangeFillsOnceAndClicksTotal) {
    table_.Open();
    // Sorted by Total already: the direction turns.
    EXPECT_TRUE(table_.SelectGroup(kFirstGroupEntry + 1));
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{202, 201}));
    EXPECT_TRUE(table_.Ascending());
    EXPECT_EQ(table_.GrandTotal(), 181);
    EXPECT_EQ(table_.Rows()[1].share, "55.25%");
    // The same entry again: no fill, but the Total click still turns the order.
    EXPECT_FALSE(table_.SelectGroup(kFirstGroupEntry + 1));
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{201, 202}));
    // Sorted by another column: Total in the direction set.
    table_.ClickHeader(0);
    EXPECT_TRUE(table_.SelectGroup(-1));  // typed text that names no group: all groups
    EXPECT_FALSE(table_.Ascending());
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{201, 202, 101, 102}));
    EXPECT_EQ(filledFor_, (std::vector<ReportChoice>{{0, false}, {2, false}, {0, false}}));
}

// The list shows the week bars beside Total, sorted by the week's starts, and
// names a file whose target is gone as missing; the exports keep their columns.
TEST_F(ReportTableTest, TheListMarksMissingTargetsListsThemAloneAndSortsTheWeekBarsByTheWeek) {
    table_.Open();
    EXPECT_TRUE(table_.SelectGroup(kMissingTargetsEntry));
    EXPECT_EQ(filledFor_.back(), (ReportChoice{0, true}));
    EXPECT_EQ(IdsOf(table_), std::vector<int>{202});
    EXPECT_EQ(table_.GrandTotal(), 81);
    EXPECT_EQ(kReportListColumns[0].text(table_.Rows()[0]), "d.exe (missing)");
    EXPECT_EQ(kReportColumns[0].text(table_.Rows()[0]), "d.exe");
    EXPECT_EQ(ReportCsv(table_.Rows()),
              "\xEF\xBB\xBF"
              "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n"
              "d.exe,,202,0,4,81,100.00%,,C:\\x\r\n");

    EXPECT_TRUE(table_.SelectGroup(kAllGroupsEntry));
    EXPECT_EQ(std::string(kReportListColumns[kReportWeekBarsColumn].caption), "Mon-Sun");
    EXPECT_EQ(kReportListColumns[kReportWeekBarsColumn].text(table_.Rows()[0]), "");
    table_.ClickHeader(kReportWeekBarsColumn);  // weeks 5, 0, 2, 4: largest first
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{101, 202, 201, 102}));
}

// Only what is shown asks the shell, each row once; an order by type, like an export, asks for all.
TEST_F(ReportTableTest, RowsAreDescribedWhenShownOrWhenTheOrderNeedsAll) {
    table_.Open();
    table_.ClickHeader(0);
    EXPECT_TRUE(described_.empty());
    EXPECT_EQ(table_.DescribedRow(3).typeName, "Text");  // A.exe, last by name downwards
    (void)table_.DescribedRow(3);
    EXPECT_EQ(described_, std::vector<int>{102});
    const int typeColumn = kReportWeekBarsColumn + 2;
    table_.ClickHeader(typeColumn);
    EXPECT_EQ(described_.size(), 4u);
    EXPECT_EQ(IdsOf(table_), (std::vector<int>{201, 101, 202, 102}));  // Zip before Text, largest first
    EXPECT_EQ(table_.DescribedRows().size(), 4u);
    EXPECT_EQ(described_.size(), 4u);
}

TEST(FrequencyReportTest, CsvIsUtf8WithBomCrLfAndQuotesFieldsThatNeedIt) {
    EXPECT_EQ(CsvField("plain text"), "plain text");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");

    ReportRow row = Row("a,b.exe", 101, 3, "C:\\x,y\\a,b.exe");
    row.groupName = "Work";
    row.today = 1;
    row.week = 2;
    row.share = "100.00%";
    row.typeName = "Application";
    EXPECT_EQ(ReportCsv({row}),
              "\xEF\xBB\xBF"
              "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n"
              "\"a,b.exe\",Work,101,1,2,3,100.00%,Application,\"C:\\x,y\\a,b.exe\"\r\n");
    EXPECT_EQ(ReportCsv({}),
              "\xEF\xBB\xBF"
              "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n");
    EXPECT_EQ(ReportFileName({2024, 1, 31}, "csv"), "Tavrin report(20240131).csv");
}

}  // namespace
}  // namespace tavrin
