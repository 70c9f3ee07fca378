#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace tavrin::testing {
namespace {

namespace fs = std::filesystem;

fs::path FromUtf8(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string ToUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path path = fs::temp_directory_path() / ("tavrin-test-" + std::to_string(random()));
        if (fs::create_directory(path)) {
            path_ = ToUtf8(path);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Tests may leave the folder read-only; it must go all the same.
    fs::permissions(FromUtf8(path_), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(FromUtf8(path_), ignored);
}

std::string operator/(const TempFolder& folder, std::string_view name) {
    return ToUtf8(FromUtf8(folder.Path()) / FromUtf8(name));
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(FromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(FromUtf8(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FromUtf8(folder))) names.push_back(ToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

}  // namespace tavrin::testing
