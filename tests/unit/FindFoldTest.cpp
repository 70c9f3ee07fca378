#include "rules/FindFold.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

std::string Folded(std::string_view text) { return FoldForFind(text).text; }

TEST(FindFoldTest, FoldsCaseAndAccentsOfLatinCyrillicAndGreek) {
    EXPECT_EQ(Folded("Éditeur Blöße ŁÓDŹ ȘTEFAN Æsir"), "editeur blosse lodz stefan aesir");
    EXPECT_EQ(Folded("Tiếng Việt"), "tieng viet");
    EXPECT_EQ(Folded("E\xCC\x81"
                     "cole"),
              "ecole");  // decomposed: E and a combining acute
    EXPECT_EQ(Folded("БЛОКНОТ Ёлка Ґанок ЇЖАК"), "блокнот елка ґанок їжак");
    EXPECT_EQ(Folded("Ώρα ΆΝΘΟΣ Ϊ ΐ λόγος"), "ωρα ανθοσ ι ι λογοσ");
    EXPECT_EQ(Folded("Tool 42 (x64)"), "tool 42 (x64)");
}

TEST(FindFoldTest, MarksWordsAtSeparatorsAndCaseChanges) {
    const FoldedText code = FoldForFind("Visual Studio Code");
    EXPECT_EQ(code.wordStarts, (std::vector<std::uint32_t>{0, 7, 14}));
    EXPECT_EQ(code.initials, "vsc");
    EXPECT_EQ(FoldForFind("TotalCmd-x64 (beta)").initials, "tcxb");
    EXPECT_EQ(FoldForFind("my_app.v2 ÉcoleNormale").initials, "maven");
    EXPECT_EQ(FoldForFind("Новый ДокументWord").initials, "ндw");
    EXPECT_EQ(FoldForFind("  ").initials, "");
}

TEST(FindFoldTest, ReplacesEachBadByteAndReadsOnAfterIt) {
    const std::string replacement = "\xEF\xBF\xBD";
    // A stray continuation byte, a cut sequence, an overlong form, a surrogate, a cut sequence at the end.
    const FoldedText folded = FoldForFind(
        "A\x80"
        "b \xE2\x82X \xC0\xAF \xED\xA0\x80 \xD0");
    EXPECT_EQ(folded.text, "a" + replacement + "b " + replacement + replacement + "x " + replacement + replacement +
                               " " + replacement + replacement + replacement + " " + replacement);
    EXPECT_EQ(folded.initials, "abx");
    // The second byte of "а" alone is no match for it.
    EXPECT_EQ(FoldForFind("\xD0\xB0").text.find(Folded("\xB0")), std::string::npos);
}

}  // namespace
}  // namespace tavrin
