// Saving replaces the file in one step: whatever fails, the old file stays as
// it was and no temporary file is left behind.
#include <gtest/gtest.h>

#include "support/SpyFileSystem.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "xml/XmlTree.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrin {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;

enum class Fault { None, CreateTemporary, Write, Flush, Close, MoveOver, ProcessDies };

// Thrown instead of a FileError where the process would die: nothing cleans up.
struct ProcessDied {};

class FaultyFile : public IWritableFile {
public:
    FaultyFile(std::unique_ptr<IWritableFile> file, Fault fault) : file_(std::move(file)), fault_(fault) {}
    void Write(std::string_view bytes) override {
        if (fault_ == Fault::ProcessDies) {
            file_->Write(bytes.substr(0, bytes.size() / 2));
            throw ProcessDied{};
        }
        Fail(Fault::Write);
        file_->Write(bytes);
    }
    void Flush() override {
        Fail(Fault::Flush);
        file_->Flush();
    }
    void Close() override {
        Fail(Fault::Close);
        file_->Close();
    }

private:
    void Fail(Fault step) const {
        if (fault_ == step) throw FileError("temporary", "injected fault");
    }
    std::unique_ptr<IWritableFile> file_;
    Fault fault_;
};

class FaultyFileSystem : public testing::SpyFileSystem {
public:
    explicit FaultyFileSystem(Fault fault) : fault_(fault) {}
    std::unique_ptr<IWritableFile> CreateTemporary(const std::string& targetPath, std::string& tempPath) override {
        if (fault_ == Fault::CreateTemporary) throw FileError(targetPath, "injected fault");
        return std::make_unique<FaultyFile>(SpyFileSystem::CreateTemporary(targetPath, tempPath), fault_);
    }
    void MoveOver(const std::string& tempPath, const std::string& targetPath) override {
        if (fault_ == Fault::MoveOver) throw FileError(targetPath, "injected fault");
        SpyFileSystem::MoveOver(tempPath, targetPath);
    }

private:
    Fault fault_;
};

constexpr char kOldText[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups/>\r\n</GLConfig>";

IXmlDocument ChangedDocument() {
    auto document = NewXmlDocument("GLConfig");
    document->RootElement()->AddElement("Buttons")->SetAttrText("Note", std::string(100000, 'x'));
    return document;
}

TEST(XmlSaveTest, EveryFailingStepLeavesTheOldFileIntact) {
    for (const Fault fault : {Fault::CreateTemporary, Fault::Write, Fault::Flush, Fault::Close, Fault::MoveOver}) {
        SCOPED_TRACE(static_cast<int>(fault));
        TempFolder folder;
        const std::string path = folder / "TV_user.xml";
        WriteBytes(path, kOldText);
        FaultyFileSystem fs(fault);
        try {
            ChangedDocument()->SaveToFile(fs, path);
            ADD_FAILURE() << "no error";
        } catch (const FileError& error) {
            EXPECT_EQ(error.FileName(), path);
        }
        EXPECT_EQ(ReadBytes(path), kOldText);
        EXPECT_EQ(ListFolder(folder.Path()), "TV_user.xml");
    }
}

TEST(XmlSaveTest, ProcessDyingWhileWritingLeavesTheOldFileIntact) {
    TempFolder folder;
    const std::string path = folder / "TV_user.xml";
    WriteBytes(path, kOldText);
    FaultyFileSystem fs(Fault::ProcessDies);
    EXPECT_THROW(ChangedDocument()->SaveToFile(fs, path), ProcessDied);
    EXPECT_EQ(ReadBytes(path), kOldText);
}

TEST(XmlSaveTest, SaveWritesTheTextFormAndLoadsBackTheSameTree) {
    TempFolder folder;
    const std::string path = folder / "TV_user.xml";
    WriteBytes(path, kOldText);
    auto document = ChangedDocument();
    FaultyFileSystem fs(Fault::None);
    document->SaveToFile(fs, path);
    EXPECT_EQ(ReadBytes(path), document->ToText());
    EXPECT_EQ(LoadXmlDocument(fs, path)->ToText(), document->ToText());
    EXPECT_EQ(ListFolder(folder.Path()), "TV_user.xml");
}

#ifndef _WIN32
TEST(XmlSaveTest, ReadOnlyFolderLeavesTheOldFileIntact) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions; the fault injection above covers this";
    TempFolder folder;
    const std::string path = folder / "TV_user.xml";
    WriteBytes(path, kOldText);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_THROW(ChangedDocument()->SaveToFile(TestFileSystem(), path), FileError);
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(path), kOldText);
    EXPECT_EQ(ListFolder(folder.Path()), "TV_user.xml");
}
#endif

}  // namespace
}  // namespace tavrin
