#include "app/PictureShelf.h"

#include <algorithm>

namespace tavrin {

// The places of pictures that went are cleared whenever the shelf has doubled
// since the last clearing, so that it stays the size of what is shown.
ButtonCell::SharedPicture PictureShelf::Get(const std::string& iconFile, int iconNumber, int size,
                                            const std::function<unique_hicon()>& make) {
    std::weak_ptr<const unique_hicon>& place = shown_[Key{iconFile, iconNumber, size}];
    if (ButtonCell::SharedPicture picture = place.lock()) return picture;
    auto picture = std::make_shared<const unique_hicon>(make());
    place = picture;
    if (shown_.size() >= 2 * clearedSize_) {
        std::erase_if(shown_, [](const auto& entry) { return entry.second.expired(); });
        clearedSize_ = std::max<std::size_t>(shown_.size(), kFirstClearing);
    }
    return picture;
}

}  // namespace tavrin
