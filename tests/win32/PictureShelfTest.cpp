// The shelf of the pictures cells show: shared while shown, made again once gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/PictureShelf.h"

namespace tavrin {
namespace {

TEST(PictureShelfTest, APictureIsSharedWhileShownAndMadeAgainOnceNoCellHoldsIt) {
    PictureShelf shelf;
    int made = 0;
    const auto make = [&made] {
        ++made;
        return unique_hicon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    };
    ButtonCell::SharedPicture first = shelf.Get("C:\\a.exe", 0, 32, make);
    const ButtonCell::SharedPicture same = shelf.Get("C:\\a.exe", 0, 32, make);
    EXPECT_EQ(same, first);
    EXPECT_NE(shelf.Get("C:\\a.exe", 1, 32, make), first);  // another icon of the file
    EXPECT_NE(shelf.Get("C:\\a.exe", 0, 48, make), first);  // another size
    EXPECT_EQ(made, 3);

    first.reset();
    EXPECT_EQ(made, 3);  // still shown by a cell
    const ButtonCell::SharedPicture kept = same;
    EXPECT_EQ(shelf.Get("C:\\a.exe", 0, 32, make), kept);

    // A picture no cell holds goes, also among many: it is made again.
    for (int file = 0; file < 100; ++file) (void)shelf.Get("C:\\file" + std::to_string(file) + ".exe", 0, 32, make);
    EXPECT_EQ(made, 103);
    (void)shelf.Get("C:\\file0.exe", 0, 32, make);
    EXPECT_EQ(made, 104);
    EXPECT_EQ(shelf.Get("C:\\a.exe", 0, 32, make), kept);
}

}  // namespace
}  // namespace tavrin
