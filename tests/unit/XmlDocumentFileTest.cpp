#include "xml/XmlDocumentFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "support/TestFileSystem.h"

namespace tavrin {
namespace {

using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;

constexpr char kOne[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Root>\r\n\t<A V=\"1\"/>\r\n</Root>";
constexpr char kTwo[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Root>\r\n\t<A V=\"22\"/>\r\n</Root>";
constexpr char kThree[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Root>\r\n\t<A V=\"33\"/>\r\n</Root>";

std::string ValueOf(const IXmlDocument& document) {
    return document->RootElement()->FirstChildElement("A")->GetAttrText("V", "");
}

TEST(XmlDocumentFileTest, ParsesOnlyWhenTheFileChanged) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", kOne);
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    EXPECT_EQ(&file, &XmlDocumentFile::For(TestFileSystem(), folder / "a.xml"));

    const auto before = XmlDocumentFile::ParseCount();
    EXPECT_EQ(ValueOf(file.Load()), "1");
    EXPECT_EQ(ValueOf(file.Load()), "1");
    EXPECT_EQ(XmlDocumentFile::ParseCount(), before + 1);

    WriteBytes(folder / "a.xml", kTwo);  // someone else changed the file
    EXPECT_EQ(ValueOf(file.Load()), "22");
    EXPECT_EQ(XmlDocumentFile::ParseCount(), before + 2);

    // A change of the same size within one step of a volume's write time.
    const auto written = std::filesystem::last_write_time(std::filesystem::path(folder / "a.xml"));
    WriteBytes(folder / "a.xml", kThree);
    std::filesystem::last_write_time(std::filesystem::path(folder / "a.xml"), written);
    EXPECT_EQ(ValueOf(file.Load()), "33");
}

TEST(XmlDocumentFileTest, SavedTreeIsReusedAndUnsavedChangesAreForgotten) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", kOne);
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    {
        XmlEdit edit(file);
        edit.Root()->FirstChildElement("A")->SetAttrText("V", "saved");
        edit.Save();
    }
    const auto afterSave = XmlDocumentFile::ParseCount();
    EXPECT_EQ(ValueOf(file.Load()), "saved");
    EXPECT_EQ(XmlDocumentFile::ParseCount(), afterSave);
    {
        XmlEdit edit(file);
        edit.Root()->FirstChildElement("A")->SetAttrText("V", "not saved");
    }
    EXPECT_EQ(ValueOf(file.Load()), "saved");
    EXPECT_EQ(testing::ReadBytes(folder / "a.xml"), std::string(kOne).replace(54, 3, "\"saved\""));
}

void SetValue(XmlDocumentFile& file, const std::string& value) {
    XmlEdit edit(file);
    edit.Root()->FirstChildElement("A")->SetAttrText("V", value);
    edit.Save();
}

TEST(XmlDocumentFileTest, ATransactionReadsOnceAndNeverOverwritesAChangeMadeMeanwhile) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", kOne);
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    {
        XmlDocumentFile::Transaction transaction;
        EXPECT_EQ(ValueOf(file.Load()), "1");
        WriteBytes(folder / "a.xml", kTwo);    // another program, which takes no lock
        EXPECT_EQ(ValueOf(file.Load()), "1");  // the transaction sees the file as it read it
        SetValue(file, "ours");
        EXPECT_EQ(testing::ReadBytes(folder / "a.xml"), kTwo);  // kept until the commit
        EXPECT_THROW(transaction.Commit(), FileChangedError);
    }
    EXPECT_EQ(testing::ReadBytes(folder / "a.xml"), kTwo);
    EXPECT_EQ(ValueOf(file.Load()), "22");

    // Transact runs the change again on the file as it is then.
    int runs = 0;
    Transact([&] {
        const std::string seen = ValueOf(file.Load());
        if (++runs == 1) WriteBytes(folder / "a.xml", kThree);
        SetValue(file, seen + "+1");
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(ValueOf(file.Load()), "33+1");

    // A save of its own with a tree older than the file changes nothing.
    const IXmlDocument stale = file.Load();
    WriteBytes(folder / "a.xml", kOne);
    EXPECT_THROW(file.Save(stale), FileChangedError);
    EXPECT_EQ(testing::ReadBytes(folder / "a.xml"), kOne);
}

TEST(XmlDocumentFileTest, ATransactionHoldsTheFilesLockUntilItEnds) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", kOne);
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    {
        XmlDocumentFile::Transaction transaction;
        (void)file.Load();
        SetValue(file, "locked");  // an edit within the transaction is part of it
        transaction.Commit();
        EXPECT_THROW((void)TestFileSystem().Lock(folder / "a.xml"), FileError);  // another copy waits, then gives up
    }
    EXPECT_NE(TestFileSystem().Lock(folder / "a.xml"), nullptr);
    EXPECT_EQ(ValueOf(file.Load()), "locked");
}

TEST(XmlDocumentFileTest, UnreadableFileIsNotCached) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", "<Root>");
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    EXPECT_ANY_THROW((void)file.Load());
    EXPECT_ANY_THROW((void)file.Load());
    EXPECT_THROW((void)XmlDocumentFile::For(TestFileSystem(), folder / "missing.xml").Load(), FileError);
}

}  // namespace
}  // namespace tavrin
