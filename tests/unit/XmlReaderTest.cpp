#include <gtest/gtest.h>

#include <stdexcept>

#include "support/Latin1.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "xml/XmlError.h"
#include "xml/XmlTree.h"

namespace tavrin {
namespace {

using testing::Latin1ToUtf8;
using testing::ReadBytes;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;
using namespace std::literals;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

IXmlDocument Parse(std::string_view text) {
    auto document = std::make_shared<XmlDocument>();
    document->LoadFromText(text, "test.xml", Latin1ToUtf8);
    return document;
}

std::string RoundTrip(std::string_view text) { return Parse(text)->ToText(); }

TEST(XmlReaderTest, WrittenDocumentReadsBackByteIdentical) {
    const std::string text =
        std::string(kDeclaration) +
        "\r\n<GLConfig>\r\n"
        "\t<Application>\r\n\t\t<Item Name=\"Tab&amp;Style\" Value=\"&quot;&lt;x&gt;'\"/>\r\n"
        "\t</Application><!-- hand-written note -->\r\n"
        "\t<Groups>\r\n\t\t<Item Name=\"0\" Value=\"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\"/>\r\n\t</Groups>\r\n"
        "\t<Note>two\r\nlines\r\n\t</Note>\r\n"
        "\t<Empty/>\r\n"
        "</GLConfig>";
    EXPECT_EQ(RoundTrip(text), text);
}

TEST(XmlReaderTest, HandEditedFormsAreReadAndWrittenInTheProgramsForm) {
    // Single quotes, no declaration, odd spacing, a UTF-8 byte order mark.
    EXPECT_EQ(RoundTrip("\xEF\xBB\xBF<Config >\n  <Item Name = 'a\"b' Value='1' />\n</Config  >"),
              "\r\n<Config>\r\n\t<Item Name=\"a&quot;b\" Value=\"1\"/>\r\n</Config>");
    // Comments, CDATA and instructions keep their places.
    EXPECT_EQ(RoundTrip("<!--top--><?app mode=\"x\"?>"
                        "<Config><![CDATA[a<b&c]]><!---->\n</Config>"),
              "<!--top--><?app mode=\"x\"?>\r\n<Config><![CDATA[a<b&c]]><!----></Config>");
}

TEST(XmlReaderTest, ReferencesDecodeToUtf8) {
    auto root =
        Parse("<R A=\"&amp;&lt;&gt;&quot;&apos;\" B=\"&#65;&#xe9;&#x20AC;&#128512;\">&#x41;&#10;b</R>")->RootElement();
    EXPECT_EQ(root->GetAttrText("A", ""), "&<>\"'");
    EXPECT_EQ(root->GetAttrText("B", ""), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    ASSERT_EQ(root->ChildNodes().Count(), 1u);
    EXPECT_EQ(static_cast<const XmlText&>(*root->ChildNodes()[0]).Text(), "A\nb");
}

void ExpectError(std::string_view text, int line, int column, std::string_view message) {
    try {
        Parse(text);
        ADD_FAILURE() << "no error for: " << text;
    } catch (const XmlError& error) {
        EXPECT_EQ(error.FileName(), "test.xml");
        EXPECT_EQ(error.Line(), line) << error.what();
        EXPECT_EQ(error.Column(), column) << error.what();
        EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
}

TEST(XmlReaderTest, ReadValuesOutliveTheInputAndTheDocument) {
    std::string text = "<R><Item ID=\"7\" Name=\"a&amp;b\" Path=\"C:\\a path longer than a short string\"/></R>";
    auto document = Parse(text);
    text.assign(text.size(), 'x');  // the tree holds no view of the caller's text
    IXmlElement item = document->RootElement()->FindChildElement("Item", "ID", 7);
    ASSERT_NE(item, nullptr);
    document.reset();
    EXPECT_EQ(item->GetAttrText("Name", ""), "a&b");
    EXPECT_EQ(item->GetAttrText("Path", ""), "C:\\a path longer than a short string");
    ASSERT_NE(item->FindAttr("ID"), nullptr);
    EXPECT_EQ(ValueAsInt(*item->FindAttr("ID")), 7);
    item->SetAttrInt("Name", 3);
    EXPECT_EQ(item->GetAttrText("Name", ""), "3");
    EXPECT_EQ(item->GetAttrInt("ID", 0), 7);
}

TEST(XmlReaderTest, BadReferencesAreErrorsAtTheReference) {
    ExpectError("<R>\n  &#0;</R>", 2, 3, "\"&#0;\" is not a valid character");
    ExpectError("<R>&#xD800;</R>", 1, 4, "not a valid character");
    ExpectError("<R>&#x110000;</R>", 1, 4, "not a valid character");
    ExpectError("<R>&#99999999999999999999;</R>", 1, 4, "not a valid character");
    ExpectError("<R>&#x;</R>", 1, 7, "missing number");
    ExpectError("<R>&#65</R>", 1, 8, "expected \";\"");
    ExpectError("<R A=\"&nbsp;\"/>", 1, 7, "unknown entity \"&nbsp;\"");
    ExpectError("<R>a & b</R>", 1, 7, "expected \";\"");
    ExpectError("<R>&", 1, 4, "the text ends after \"&\"");
}

TEST(XmlReaderTest, MalformedDocumentsAreErrorsWithTheirPlace) {
    ExpectError("", 1, 1, "no root element");
    ExpectError("  <!-- only a comment -->\r\n", 2, 1, "no root element");
    ExpectError("<Config>\r\n\t<Item Name=\"a\">\r\n\t</Config>", 3, 2, "missing end tag of \"Item\"");
    ExpectError("<Config>\r\n\t<Item Name=\"a\"/>", 2, 18, "missing end tag of \"Config\"");  // truncated
    ExpectError("<Config>\r\n\t<Item Name=\"a", 2, 13, "the attribute value is not closed");
    ExpectError("<R>\n\xD0\x98\xD0\xB3<I A=\"x<y\"/></R>", 2, 10, "\"<\" is not allowed in an attribute value");
    ExpectError("<R>\n\xD0\x98\xD0\xB3\xFF</R>", 2, 3, "not valid UTF-8");
    ExpectError("<R>\xC0\xAF</R>", 1, 4, "not valid UTF-8");      // overlong "/"
    ExpectError("<R>\xED\xA0\x80</R>", 1, 4, "not valid UTF-8");  // a surrogate
    ExpectError("<R A=1/>", 1, 6, "missing attribute value");
    ExpectError("<R A/>", 1, 5, "missing \"=\"");
    ExpectError("<R$/>", 1, 3, "unexpected character after the element name");
    ExpectError("<1R/>", 1, 2, "a name must start with a letter");
    ExpectError("<R/></R>", 1, 5, "end tag without a start tag");
    ExpectError("<R/>\r\n<S/>", 2, 1, "a second root element");
    ExpectError("<R/> &#32;x", 1, 5, "text outside the root element");
    ExpectError("\t\xEF\xBB\xBF<R/>", 1, 1, "text outside the root element");  // a byte order mark not at the start
    ExpectError("<![CDATA[x]]><R/>", 1, 1, "CDATA section outside the root element");
    ExpectError("<R><!-- open</R>", 1, 4, "comment without \"-->\"");
    ExpectError("<R><![CDATA[open</R>", 1, 4, "CDATA section without \"]]>\"");
    ExpectError("< binary-xml >\x01\x02", 1, 1, "binary XML files are not supported");
    std::string deep;
    for (int i = 0; i < 300; ++i) deep += "<a>";
    ExpectError(deep, 1, 769, "nested too deeply");
}

// Wherever it stands and whatever it holds, with an internal subset whose
// markup would otherwise be taken for the document's.
TEST(XmlReaderTest, DocumentTypeDeclarationIsAnErrorAtItsStart) {
    constexpr std::string_view kMessage = "the file holds a document type declaration";
    ExpectError("<!DOCTYPE Config SYSTEM \"c.dtd\"><Config/>", 1, 1, kMessage);
    ExpectError(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!DOCTYPE GLConfig [\r\n\t<!ENTITY x \"y\">\r\n]>\r\n<GLConfig/>", 2, 1,
        kMessage);
    ExpectError("<R>\n  \xD0\x98<!DOCTYPE R></R>", 2, 4, kMessage);
}

TEST(XmlReaderTest, LegacyAnsiDocumentIsConvertedAndSavedAsUtf8) {
    TempFolder folder;
    const std::string path = folder / "TV_user.xml";
    // 0xE9 is "é" in Latin-1 and in Windows code page 1252 alike.
    WriteBytes(path,
               "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<GLConfig>\r\n"
               "\t<Item Name=\"Caf\xE9\" Value=\"&#xe9;\"/>\r\n</GLConfig>");
    auto document = LoadXmlDocument(TestFileSystem(), path);
    EXPECT_EQ(document->RootElement()->FirstChildElement("Item")->GetAttrText("Name", ""), "Caf\xC3\xA9");
    document->SaveToFile(TestFileSystem(), path);
    const std::string saved = std::string(kDeclaration) +
                              "\r\n<GLConfig>\r\n\t<Item Name=\"Caf\xC3\xA9\" Value=\"\xC3\xA9\"/>\r\n</GLConfig>";
    EXPECT_EQ(ReadBytes(path), saved);
    // Declared UTF-8 in any spelling is not converted again.
    EXPECT_EQ(LoadXmlDocument(TestFileSystem(), path)->ToText(), saved);
    EXPECT_EQ(RoundTrip("<?xml version='1.0' encoding='utf-8'?><R A='\xC3\xA9'/>"),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<R A=\"\xC3\xA9\"/>");
    EXPECT_EQ(RoundTrip("\xEF\xBB\xBF<?xml version='1.0' encoding='windows-1251'?><R A='\xC3\xA9'/>"),
              std::string(kDeclaration) + "\r\n<R A=\"\xC3\xA9\"/>");
}

TEST(XmlReaderTest, TheDeclaredEncodingDecidesHowTheTextIsRead) {
    // Other spellings of UTF-8 are UTF-8, saved under the registered name.
    for (const char* utf8 : {"UTF8", "utf8", "Utf-8"}) {
        EXPECT_EQ(RoundTrip("<?xml version='1.0' encoding='" + std::string(utf8) + "'?><R A='\xC3\xA9'/>"),
                  (utf8[3] == '-' ? "<?xml version=\"1.0\" encoding=\"Utf-8\"?>" : std::string(kDeclaration)) +
                      "\r\n<R A=\"\xC3\xA9\"/>")
            << utf8;
    }
    // Single-byte code pages are read in the system's ANSI code page.
    for (const char* singleByte : {"Windows-1252", "cp1251", "ISO-8859-5", "iso_8859-1", "latin1", "US-ASCII"}) {
        EXPECT_EQ(RoundTrip("<?xml version='1.0' encoding='" + std::string(singleByte) + "'?><R A='\xE9'/>"),
                  std::string(kDeclaration) + "\r\n<R A=\"\xC3\xA9\"/>")
            << singleByte;
    }
    for (const char* other : {"UTF-16", "Shift_JIS", "iso-8859-12", "windows-1259", ""}) {
        ExpectError(" <?xml version='1.0' encoding='" + std::string(other) + "'?><R/>", 1, 2,
                    "the encoding \"" + std::string(other) + "\" is not supported");
    }
    for (const std::string_view utf16 : {"\xFF\xFE<\0R\0/\0>\0"sv, "\xFE\xFF\0<\0R\0/\0>"sv, "<\0R\0/\0>\0"sv}) {
        ExpectError(utf16, 1, 1, "the file is UTF-16 text");
    }
}

TEST(XmlReaderTest, BytesTheCodePageDoesNotDefineAreErrorsAtTheirPlace) {
    // 0x98 has no character in code page 1251.
    const auto cp1251 = [](std::string_view bytes) {
        if (bytes.find('\x98') != std::string_view::npos) throw std::range_error("undefined byte");
        return Latin1ToUtf8(bytes);
    };
    XmlDocument document;
    try {
        document.LoadFromText("<?xml version='1.0' encoding='windows-1251'?>\r\n<R>\r\n<I A='\xE0\xE1\x98'/></R>",
                              "legacy.xml", cp1251);
        ADD_FAILURE();
    } catch (const XmlError& error) {
        EXPECT_EQ(error.Line(), 3);
        EXPECT_EQ(error.Column(), 9);
        EXPECT_NE(std::string(error.what()).find("ANSI code page cannot read"), std::string::npos) << error.what();
    }
}

TEST(XmlReaderTest, WhatXml10RefusesIsAnErrorAtItsPlace) {
    ExpectError("<R A=\"1\" B=\"2\"\n   A=\"3\"/>", 2, 4, "the attribute \"A\" appears twice");
    ExpectError("<?xml version='1.0' version='1.0'?><R/>", 1, 21, "the attribute \"version\" appears twice");
    ExpectError("<R>a]]>b</R>", 1, 5, "\"]]>\" is not allowed in text");
    ExpectError("<R><!-- a -- b --></R>", 1, 11, "\"--\" is not allowed inside a comment");
    ExpectError("<R><!-- a ---></R>", 1, 11, "\"--\" is not allowed inside a comment");
    ExpectError("<R>\n\xD0\x98\x01</R>", 2, 2, "the character U+0001 is not allowed in XML");
    ExpectError("<R A='\x1F'/>", 1, 7, "U+001F is not allowed");
    ExpectError("<R A='0123456789abcdef\x1B'/>", 1, 23, "U+001B is not allowed");  // after whole words of ASCII
    ExpectError("<R>\0</R>"sv, 1, 4, "U+0000 is not allowed");
    ExpectError("<R><!--\x0B--></R>", 1, 8, "U+000B is not allowed");
    ExpectError("<R>\xEF\xBF\xBF</R>", 1, 4, "U+FFFF is not allowed");
    // A declaration after anything but white space was read, and written first,
    // where its label could no longer be read.
    ExpectError("<!--c--><?xml version='1.0' encoding='UTF-8\r\n'?><R/>", 1, 9, "the XML declaration must come first");
    ExpectError("<R><?XML x?></R>", 1, 4, "the instruction name \"XML\" is reserved");
    ExpectError("&#13;<R/>", 1, 1, "text outside the root element");
    for (const char* reference : {"&#1;", "&#x1F;", "&#xFFFE;"}) {
        ExpectError("<R A='" + std::string(reference) + "'/>", 1, 7, "is not a valid character");
    }
    // What XML allows there stays allowed.
    auto root = Parse("<R A=']]>' B='&#9;&#10;&#13;'>]]&gt;]<!-- - --></R>")->RootElement();
    EXPECT_EQ(root->GetAttrText("A", ""), "]]>");
    EXPECT_EQ(root->GetAttrText("B", ""), "\t\n\r");
}

TEST(XmlReaderTest, FilesThatCannotBeReadRaiseFileErrors) {
    TempFolder folder;
    XmlDocument document;
    EXPECT_THROW(document.LoadFromFile(TestFileSystem(), folder / "missing.xml"), FileError);
    EXPECT_THROW(document.LoadFromFile(TestFileSystem(), folder.Path()), FileError);
    try {
        WriteBytes(folder / "bad.xml", "<R>\r\n<Item>");
        document.LoadFromFile(TestFileSystem(), folder / "bad.xml");
        ADD_FAILURE();
    } catch (const XmlError& error) {
        EXPECT_EQ(error.what(), folder / "bad.xml" + "(2,7): missing end tag of \"Item\"");
    }
}

}  // namespace
}  // namespace tavrin
