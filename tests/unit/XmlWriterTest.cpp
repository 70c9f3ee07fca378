#include <gtest/gtest.h>

#include "xml/XmlTree.h"

namespace tavrin {
namespace {

using namespace std::literals;

TEST(XmlWriterTest, SettingsDocumentHasTheExactTextForm) {
    auto document = NewXmlDocument("GLConfig");
    auto root = document->RootElement();
    auto application = root->AddElement("Application");
    auto item = application->AddElement("Item");
    item->SetAttrText("Name", "AlwaysOnTop");
    item->SetAttrBool("Value", true);
    item = application->AddElement("Item");
    item->SetAttrText("Name", "Left");
    item->SetAttrInt("Value", -12);
    root->AddElement("Groups");
    auto button = root->AddElement("Buttons")->AddElement("Button");
    button->SetAttrInt("ID", 101);
    item = button->AddElement("Item");
    item->SetAttrText("Name", "Command");
    item->SetAttrText("Value", "C:\\Tools\\\xD0\x90.exe");

    EXPECT_EQ(document->ToText(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<GLConfig>\r\n"
              "\t<Application>\r\n"
              "\t\t<Item Name=\"AlwaysOnTop\" Value=\"1\"/>\r\n"
              "\t\t<Item Name=\"Left\" Value=\"-12\"/>\r\n"
              "\t</Application>\r\n"
              "\t<Groups/>\r\n"
              "\t<Buttons>\r\n"
              "\t\t<Button ID=\"101\">\r\n"
              "\t\t\t<Item Name=\"Command\" Value=\"C:\\Tools\\\xD0\x90.exe\"/>\r\n"
              "\t\t</Button>\r\n"
              "\t</Buttons>\r\n"
              "</GLConfig>");
}

// Line breaks and tabs of attribute values, which any other reader would turn
// into blanks, are written as character references, which every reader keeps.
TEST(XmlWriterTest, EscapesQuoteAmpersandAngleBracketsAndAttributeLineBreaks) {
    auto document = NewXmlDocument("R");
    document->RootElement()->SetAttrText("V", "\"<&'>\xC3\xA9");
    document->RootElement()->SetAttrText("Lines", "a\r\nb\tc");
    const std::string written = document->ToText();
    EXPECT_EQ(written,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<R V=\"&quot;&lt;&amp;'&gt;\xC3\xA9\" Lines=\"a&#13;&#10;b&#9;c\"/>");
    XmlDocument again;
    again.LoadFromText(written, "again.xml", nullptr);
    EXPECT_EQ(again.RootElement()->GetAttrText("Lines", ""), "a\r\nb\tc");
    EXPECT_EQ(again.ToText(), written);
}

// A character XML does not allow, set by the program (a control character
// pasted into a description, say), is written as U+FFFD, so that the file
// stays readable, here and by any other reader.
TEST(XmlWriterTest, CharactersXmlRefusesAreWrittenAsReplacementCharacters) {
    XmlDocument document;
    document.LoadFromText("<R><!--n--></R>", "r.xml", nullptr);
    auto root = document.RootElement();
    root->SetAttrText("V", std::string("a\x01-\0-\x1F-\xEF\xBF\xBF-\xFF"sv));
    root->AppendChild(std::make_shared<XmlText>(root->NameTable(), "t\x07"));
    root->AppendChild(std::make_shared<XmlComment>(root->NameTable(), "c\x0B"));
    const std::string written = document.ToText();
    EXPECT_EQ(written, "\r\n<R V=\"a\uFFFD-\uFFFD-\uFFFD-\uFFFD-\uFFFD\"><!--n-->t\uFFFD<!--c\uFFFD--></R>");
    XmlDocument again;
    again.LoadFromText(written, "again.xml", nullptr);
    EXPECT_EQ(again.ToText(), written);
}

// Text, comments, CDATA and instructions are written in place; only elements
// start new lines, and the end tag follows on its own line only when the
// content spans lines.
TEST(XmlWriterTest, ContentOtherThanElementsIsWrittenWithoutLayout) {
    XmlDocument document;
    document.LoadFromText("<R><T>a &lt; b</T><M>x<E/></M><C><!--note--><![CDATA[<raw>]]><?run fast?></C></R>", "m.xml",
                          nullptr);
    EXPECT_EQ(document.ToText(),
              "\r\n<R>\r\n"
              "\t<T>a &lt; b</T>\r\n"
              "\t<M>x\r\n\t\t<E/>\r\n\t</M>\r\n"
              "\t<C><!--note--><![CDATA[<raw>]]><?run fast?></C>\r\n"
              "</R>");
    document.SetPreserveWhiteSpace(true);
    EXPECT_EQ(document.ToText(), "<R><T>a &lt; b</T><M>x<E/></M><C><!--note--><![CDATA[<raw>]]><?run fast?></C></R>");
}

}  // namespace
}  // namespace tavrin
