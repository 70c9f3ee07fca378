#include "rules/CellSpeech.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(CellSpeechTest, AButtonIsCalledByItsDescriptionOrItsCommandsFileName) {
    EXPECT_EQ(ButtonName("Editor", "C:\\Apps\\edit.exe"), "Editor");
    EXPECT_EQ(ButtonName("", "\"C:\\Program Files\\App\\app.exe\""), "app.exe");
}

TEST(CellSpeechTest, TheDescriptionTellsTheHintOnlyWhenItAddsToTheName) {
    const CellPlace grid{GridPosition(3), "Programs"};
    const CellSpeech hotKeyed = SpeechOf("Editor", "Editor -[Ctrl+Alt+N]", grid);
    EXPECT_EQ(hotKeyed.name, "Editor");
    EXPECT_EQ(hotKeyed.description, "Editor -[Ctrl+Alt+N], button 3 of 20, Programs");
    EXPECT_EQ(SpeechOf("Editor", "Editor", grid).description, "button 3 of 20, Programs");
    EXPECT_EQ(SpeechOf("Options", "Options", {}).description, "");  // a tool: nothing beyond its name
    EXPECT_EQ(SpeechOf("Editor", "Editor", {RowPosition("most used", 1), ""}).description, "most used 1 of 6");
}

TEST(CellSpeechTest, AnEmptyCellIsCalledEmptyWithItsPosition) {
    const CellSpeech slot = SpeechOf("", "", {GridPosition(4), "Programs"});
    EXPECT_EQ(slot.name, "empty, button 4 of 20");
    EXPECT_EQ(slot.description, "Programs");
    EXPECT_EQ(SpeechOf("", "", {RowPosition("recent", 2), ""}).name, "empty, recent 2 of 6");
}

}  // namespace
}  // namespace tavrin
