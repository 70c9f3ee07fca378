// A unique empty folder under the system's temporary folder, removed with
// everything in it when the object goes away. Paths are UTF-8 strings, as the
// file system seam takes them.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
};

// The full path of name inside folder.
[[nodiscard]] std::string operator/(const TempFolder& folder, std::string_view name);

// Plain file access for setting up and checking files, bypassing the code under test.
void WriteBytes(const std::string& path, std::string_view bytes);
[[nodiscard]] std::string ReadBytes(const std::string& path);
// The names of the entries of folder, sorted and separated by blanks.
[[nodiscard]] std::string ListFolder(const std::string& folder);

}  // namespace tavrin::testing
