// The button pictures that cells show now, by icon file, icon number and size:
// a cell that asks for a picture another cell already shows gets that one.
// Making a picture costs a look into its file and about a millisecond under
// Wine, so a find's results page, whose matches the grid pages often show
// already, is drawn at once. The shelf holds its pictures weakly: a picture
// goes with the last cell that shows it, and nothing of pages not shown is kept.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "app/ButtonCell.h"

namespace tavrin {

class PictureShelf {
public:
    // The picture of iconFile's icon iconNumber at size pixels that a cell shows, or else the one make makes.
    [[nodiscard]] ButtonCell::SharedPicture Get(const std::string& iconFile, int iconNumber, int size,
                                                const std::function<unique_hicon()>& make);

private:
    using Key = std::tuple<std::string, int, int>;
    static constexpr std::size_t kFirstClearing = 64;
    std::map<Key, std::weak_ptr<const unique_hicon>> shown_;
    std::size_t clearedSize_ = kFirstClearing;
};

}  // namespace tavrin
