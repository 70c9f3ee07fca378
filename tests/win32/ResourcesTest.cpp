// The resources built into tavrin.exe, read from the file as a data image:
// the application icon group, the missing-icon picture, the feedback sounds,
// the tool pictures and the manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Resources.h"
#include "win32/ImageDecoder.h"
#include "win32/UniqueResource.h"

namespace tavrin {
namespace {

void CloseModule(HMODULE module) noexcept { FreeLibrary(module); }
using unique_hmodule = UniqueResource<HMODULE, CloseModule>;

std::uint16_t Word(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t index) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[index]));
    };
    return static_cast<std::uint16_t>(byte(at) | byte(at + 1) << 8);
}

std::uint32_t DoubleWord(std::string_view bytes, std::size_t at) {
    return Word(bytes, at) | static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_.reset(
            LoadLibraryExW(TEXT(TAVRIN_EXE), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    }
    static void TearDownTestSuite() { program_.reset(); }

    void SetUp() override { ASSERT_TRUE(program_) << "cannot open " << TAVRIN_EXE; }

    // The bytes of a resource; empty when there is none.
    static std::string_view Bytes(LPCWSTR name, LPCWSTR type) {
        const HRSRC found = FindResourceW(program_.get(), name, type);
        if (!found) return {};
        const HGLOBAL loaded = LoadResource(program_.get(), found);
        return {static_cast<const char*>(LockResource(loaded)), SizeofResource(program_.get(), found)};
    }

    struct IconImage {
        int size = 0;
        int bits = 0;
    };

    // The images of an icon group, each checked to make a usable icon.
    static std::vector<IconImage> IconGroup(int id) {
        const std::string_view group = Bytes(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        std::vector<IconImage> images;
        if (group.size() < 6 || Word(group, 2) != 1) return images;
        const int count = Word(group, 4);
        for (int index = 0; index < count && 6u + 14u * (index + 1) <= group.size(); ++index) {
            const std::size_t entry = 6 + 14 * index;
            const int size = static_cast<unsigned char>(group[entry]);
            const int bits = Word(group, entry + 6);
            const std::string_view image = Bytes(MAKEINTRESOURCEW(Word(group, entry + 12)), RT_ICON);
            EXPECT_EQ(image.size(), DoubleWord(group, entry + 8));
            const unique_hicon icon(CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                                             static_cast<DWORD>(image.size()), TRUE, 0x00030000, size,
                                                             size, LR_DEFAULTCOLOR));
            EXPECT_TRUE(icon) << size << " px, " << bits << " bits";
            images.push_back({size, bits});
        }
        return images;
    }

    static inline unique_hmodule program_;
};

TEST_F(ResourcesTest, ApplicationIconHasFiveSizesInThreeColourDepths) {
    const std::vector<IconImage> images = IconGroup(IDI_TAVRIN);
    ASSERT_EQ(images.size(), 15u);
    std::set<std::pair<int, int>> kinds;
    for (const IconImage& image : images) kinds.insert({image.size, image.bits});
    for (const int size : {64, 48, 32, 24, 16}) {
        for (const int bits : {4, 8, 32}) EXPECT_TRUE(kinds.contains({size, bits})) << size << " px, " << bits;
    }
    const unique_hicon small(static_cast<HICON>(
        LoadImageW(program_.get(), MAKEINTRESOURCEW(IDI_TAVRIN), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    EXPECT_TRUE(small);
}

TEST_F(ResourcesTest, MissingIconComesAt32And48And64Pixels) {
    const std::vector<IconImage> images = IconGroup(IDI_MISSING_ICON);
    ASSERT_EQ(images.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(images[i].size, 32 + 16 * i);
        EXPECT_EQ(images[i].bits, 32);
    }
}

TEST_F(ResourcesTest, SoundsAreShortMonoPcmWaves) {
    const std::pair<const wchar_t*, std::uint32_t> sounds[] = {{L"Icon", 1079}, {L"Tabsheet", 680}};
    for (const auto& [name, samples] : sounds) {
        SCOPED_TRACE(testing::Message() << "sound " << (name[0] == L'I' ? "Icon" : "Tabsheet"));
        const std::string_view wave = Bytes(name, L"WAVE");
        ASSERT_GE(wave.size(), 44u);
        ASSERT_EQ(wave.substr(0, 4), "RIFF");
        ASSERT_EQ(wave.substr(8, 4), "WAVE");
        EXPECT_EQ(DoubleWord(wave, 4), wave.size() - 8);
        // Walk the chunks: "fmt " describes the samples, "data" holds them.
        std::size_t at = 12;
        std::uint32_t dataSize = 0;
        bool sawFormat = false;
        while (at + 8 <= wave.size()) {
            const std::string_view id = wave.substr(at, 4);
            const std::uint32_t size = DoubleWord(wave, at + 4);
            if (id == "fmt ") {
                sawFormat = true;
                EXPECT_EQ(Word(wave, at + 8), 1);              // uncompressed PCM
                EXPECT_EQ(Word(wave, at + 10), 1);             // mono
                EXPECT_EQ(DoubleWord(wave, at + 12), 22050u);  // samples per second
                EXPECT_EQ(DoubleWord(wave, at + 16), 44100u);  // bytes per second
                EXPECT_EQ(Word(wave, at + 20), 2);             // bytes per sample
                EXPECT_EQ(Word(wave, at + 22), 16);            // bits per sample
            } else if (id == "data") {
                dataSize = size;
                EXPECT_LE(at + 8 + size, wave.size());
            }
            at += 8 + size + (size & 1);
        }
        EXPECT_TRUE(sawFormat);
        EXPECT_EQ(dataSize, samples * 2);
    }
}

TEST_F(ResourcesTest, ToolPicturesAreFourDistinctPngsAt32And48And64Pixels) {
    for (int step = 0; step < 3; ++step) {
        const int size = 32 + 16 * step;
        std::vector<DecodedImage> pictures;
        for (const int tool : {IDR_TOOL_OPTIONS, IDR_TOOL_REPORT, IDR_TOOL_BACKUP, IDR_TOOL_RESTORE}) {
            const int id = tool + step * IDR_TOOL_SIZE_STEP;
            const DecodedImage picture = DecodePng(Bytes(MAKEINTRESOURCEW(id), RT_RCDATA));
            EXPECT_EQ(picture.width, size) << id;
            EXPECT_EQ(picture.height, size) << id;
            int opaque = 0;
            for (const std::uint32_t pixel : picture.pixels) opaque += (pixel >> 24) == 0xFF;
            EXPECT_GT(opaque, size * size / 5) << id;
            for (const DecodedImage& earlier : pictures) EXPECT_NE(earlier.pixels, picture.pixels) << id;
            pictures.push_back(picture);
        }
    }
}

TEST_F(ResourcesTest, ManifestAsksForCommonControls6AsInvoker) {
    const std::string manifest(Bytes(MAKEINTRESOURCEW(1), RT_MANIFEST));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find("gdiScaling"), std::string::npos);
}

}  // namespace
}  // namespace tavrin
