#include "rules/ButtonFind.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using Ids = std::vector<int>;

Ids Found(const ButtonFindIndex& index, std::string_view typed) { return index.Find(typed, 20).ids; }

TEST(ButtonFindTest, MatchesDescriptionAndFileNameWithoutCaseOrAccents) {
    const ButtonFindIndex index({{1, "Блокнот", "bloc.exe"},
                                 {2, "Éditeur de texte", "ed.exe"},
                                 {3, "Plain text", "notepad.exe"},
                                 {4, "Ώρα", "clock.exe"},
                                 {5, "Report \xFF\xC3", "\xE2\x82.exe"}});
    EXPECT_EQ(Found(index, "блок"), (Ids{1}));
    EXPECT_EQ(Found(index, "БЛОК"), (Ids{1}));
    EXPECT_EQ(Found(index, "edit"), (Ids{2}));
    EXPECT_EQ(Found(index, "NOT"), (Ids{3}));
    EXPECT_EQ(Found(index, "ΩΡΑ"), (Ids{4}));
    EXPECT_EQ(Found(index, "REPORT \xFF"), (Ids{5}));  // bad bytes fold alike
    EXPECT_EQ(Found(index, "exe"), (Ids{}));           // extensions are not searched
    EXPECT_EQ(Found(index, " edit "), (Ids{2}));
    EXPECT_EQ(index.Find(" ", 20).matchCount, 0u);
    EXPECT_EQ(index.Find("", 20).matchCount, 0u);
}

TEST(ButtonFindTest, RanksByMatchThenWeekTotalAndLastStart) {
    // Each better match wins over more starts.
    const ButtonFindIndex byMatch({{1, "Devscope", "", 9, 9, 9},
                                   {2, "Visual Studio Code", "code.exe", 5, 5, 5},
                                   {3, "Open vscode", "", 3, 3, 3},
                                   {4, "Settings", "vscode.exe", 1, 1, 1},
                                   {5, "Unrelated", "", 99, 99, 99}});
    EXPECT_EQ(Found(byMatch, "vsc"), (Ids{4, 3, 2, 1}));
    EXPECT_EQ(MatchOf(FoldForFind("Microsoft Visual Studio Code"), "sc"), FindMatch::Initials);

    const ButtonFindIndex byStarts({{10, "Tool", "", 1, 9, 9},
                                    {11, "Tool", "", 2, 1, 1},
                                    {12, "Tool", "", 1, 9, 7},
                                    {13, "Tool", "", 1, 9, 8},
                                    {14, "Tool", "", 1, 9, 8},
                                    {15, "Tool", "", 1, 10, 0}});
    EXPECT_EQ(Found(byStarts, "to"), (Ids{11, 15, 10, 13, 14, 12}));
}

TEST(ButtonFindTest, CapsTheListAndCountsEveryMatch) {
    std::vector<FindCandidate> candidates;
    for (int id = 1; id <= 2000; ++id) {
        candidates.push_back(
            {id, id % 4 == 0 ? "Editor " + std::to_string(id) : "Tool " + std::to_string(id), "", id % 7, id, 0});
    }
    const ButtonFindIndex index(candidates);
    const FindResult result = index.Find("tool", 20);
    EXPECT_EQ(result.matchCount, 1500u);
    ASSERT_EQ(result.ids.size(), 20u);
    // The most starts this week (6), then the most in all.
    EXPECT_EQ(result.ids.front(), 1994);
    for (std::size_t i = 1; i < result.ids.size(); ++i) {
        EXPECT_EQ(result.ids[i] % 7, 6) << result.ids[i];
        EXPECT_LT(result.ids[i], result.ids[i - 1]);
    }
    EXPECT_TRUE(index.Find("tool", 0).ids.empty());
    EXPECT_EQ(index.Find("edit", 1000).ids.size(), 500u);
}

TEST(ButtonFindTest, TakesTheFileNameOutOfACommand) {
    EXPECT_EQ(CommandFileName("\"C:\\Program Files\\App\\app.exe\""), "app.exe");
    EXPECT_EQ(CommandFileName("D:/Tools/run.cmd"), "run.cmd");
    EXPECT_EQ(CommandFileName("D:\\Games\\"), "Games");
    EXPECT_EQ(CommandFileName("notepad.exe"), "notepad.exe");
}

}  // namespace
}  // namespace tavrin
