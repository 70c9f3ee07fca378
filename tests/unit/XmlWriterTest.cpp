#include <gtest/gtest.h>

#include "xml/XmlTree.h"

namespace tavrin {
namespace {

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

TEST(XmlWriterTest, EscapesOnlyQuoteAmpersandAndAngleBrackets) {
    auto document = NewXmlDocument("R");
    document->RootElement()->SetAttrText("V", "\"<&'>\t\x01\xC3\xA9");
    EXPECT_EQ(document->ToText(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<R V=\"&quot;&lt;&amp;'&gt;\t\x01\xC3\xA9\"/>");
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
