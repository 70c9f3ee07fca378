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

TEST(XmlDocumentFileTest, WithinOneStepTheFileIsLookedAtOnce) {
    TempFolder folder;
    WriteBytes(folder / "a.xml", kOne);
    XmlDocumentFile& file = XmlDocumentFile::For(TestFileSystem(), folder / "a.xml");
    {
        XmlDocumentFile::SameStepScope step;
        EXPECT_EQ(ValueOf(file.Load()), "1");
        WriteBytes(folder / "a.xml", kTwo);  // a change by someone else in the middle of the step
        { XmlDocumentFile::SameStepScope inner; }
        EXPECT_EQ(ValueOf(file.Load()), "1");  // the step goes on seeing the file as it read it
        {
            XmlEdit edit(file);  // a change starts from the file as it is now
            EXPECT_EQ(ValueOf(edit.Document()), "22");
            edit.Root()->FirstChildElement("A")->SetAttrText("V", "ours");
            edit.Save();
        }
        WriteBytes(folder / "a.xml", kTwo);
        EXPECT_EQ(ValueOf(file.Load()), "ours");  // our own save is the tree of the step
        {
            XmlEdit edit(file);
            edit.Root()->FirstChildElement("A")->SetAttrText("V", "not saved");
        }
        EXPECT_EQ(ValueOf(file.Load()), "22");  // a forgotten change: the file is read again
    }
    WriteBytes(folder / "a.xml", kOne);
    EXPECT_EQ(ValueOf(file.Load()), "1");  // after the step, changes on disk count again
    {
        XmlDocumentFile::SameStepScope nextStep;
        WriteBytes(folder / "a.xml", kTwo);
        EXPECT_EQ(ValueOf(file.Load()), "22");  // a new step looks at the file once more
    }
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
