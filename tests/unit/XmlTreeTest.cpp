#include "xml/XmlTree.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavrin {
namespace {

TEST(XmlNameTableTest, FixedNamesComeFirstAndIdsFollowFirstUse) {
    XmlNameTable names;
    EXPECT_EQ(names.Find("#text"), XmlNameTable::TextName);
    EXPECT_EQ(names.Find("#cdata-section"), XmlNameTable::CDATASectionName);
    EXPECT_EQ(names.Find("#comment"), XmlNameTable::CommentName);
    EXPECT_EQ(names.Find("#document"), XmlNameTable::DocumentName);
    EXPECT_EQ(names.Find("xml"), XmlNameTable::XmlName);
    EXPECT_EQ(names.Add("Item"), 5);
    EXPECT_EQ(names.Add("item"), 6);  // case-sensitive
    EXPECT_EQ(names.Add("Item"), 5);
    EXPECT_EQ(names.Find("Name"), -1);
    EXPECT_EQ(names.Name(6), "item");
    EXPECT_EQ(XmlNameTable::Hash("ab"), 97u * 33 + 98);
}

TEST(XmlNameTableTest, NamesSharingABucketStayApart) {
    XmlNameTable names;
    // "Ab" and "BA" hash alike: 65*33+98 == 66*33+65.
    ASSERT_EQ(XmlNameTable::Hash("Ab"), XmlNameTable::Hash("BA"));
    const int first = names.Add("Ab");
    const int second = names.Add("BA");
    EXPECT_NE(first, second);
    EXPECT_EQ(names.Find("Ab"), first);
    EXPECT_EQ(names.Find("BA"), second);
    const std::string& kept = names.Name(first);
    for (int i = 0; i < 5000; ++i) names.Add("n" + std::to_string(i));
    EXPECT_EQ(kept, "Ab");  // references survive growth
}

TEST(XmlTreeTest, AttributesKeepOrderAndReplaceInPlace) {
    auto document = NewXmlDocument("Root");
    auto item = document->RootElement()->AddElement("Item");
    item->SetAttrText("Name", "Width");
    item->SetAttrInt("Value", -5);
    item->SetAttrBool("Flag", true);
    item->SetAttrText("Value", "7");
    ASSERT_EQ(item->Attributes().size(), 3u);
    EXPECT_EQ(item->NameTable().Name(item->Attributes()[1].nameId), "Value");
    EXPECT_EQ(item->GetAttrInt("Value", 0), 7);
    EXPECT_EQ(item->GetAttrText("Flag", ""), "1");
    EXPECT_EQ(item->GetAttrText("Missing", "default"), "default");
    EXPECT_THROW(item->SetAttrText("bad name", "x"), std::invalid_argument);
}

TEST(XmlTreeTest, GettersFallBackToTheDefaultOnTextTheyCannotConvert) {
    auto document = NewXmlDocument("Root");
    auto root = document->RootElement();
    const auto intOf = [&](const char* text) {
        root->SetAttrText("A", text);
        return root->GetAttrInt("A", 42);
    };
    EXPECT_EQ(intOf("-2147483648"), INT32_MIN);
    EXPECT_EQ(intOf("2147483647"), INT32_MAX);
    for (const char* bad : {"2147483648", "", "-", "+1", " 1", "1 ", "0x10", "1.5", "abc"}) {
        EXPECT_EQ(intOf(bad), 42) << bad;
    }
    const auto boolOf = [&](const char* text, bool defaultValue) {
        root->SetAttrText("B", text);
        return root->GetAttrBool("B", defaultValue);
    };
    EXPECT_TRUE(boolOf("1", false));
    EXPECT_TRUE(boolOf("-3", false));
    EXPECT_TRUE(boolOf("99999999999", false));  // any number but 0 is true, even beyond 32 bits
    EXPECT_FALSE(boolOf("000", true));
    EXPECT_TRUE(boolOf("TRUE", false));
    EXPECT_FALSE(boolOf("False", true));
    EXPECT_TRUE(boolOf("yes", true));
    EXPECT_FALSE(boolOf("yes", false));
    EXPECT_FALSE(root->GetAttrBool("Missing", false));
}

TEST(XmlTreeTest, FindChildElementComparesTypedValues) {
    auto document = NewXmlDocument("Buttons");
    auto root = document->RootElement();
    root->AddElement("Other")->SetAttrText("ID", "3");
    auto text3 = root->AddElement("Button");
    text3->SetAttrText("ID", "3");
    auto int12 = root->AddElement("Button");
    int12->SetAttrInt("ID", 12);
    auto flag = root->AddElement("Button");
    flag->SetAttrText("ID", "true");

    EXPECT_EQ(root->FindChildElement("Button", "ID", 3), text3);
    EXPECT_EQ(root->FindChildElement("Button", "ID", std::string("12")), int12);
    EXPECT_EQ(root->FindChildElement("Button", "ID", std::string("012")), int12);   // as numbers
    EXPECT_EQ(root->FindChildElement("Button", "ID", std::string("03")), nullptr);  // text with text
    EXPECT_EQ(root->FindChildElement("Button", "ID", true), text3);                 // "3" is a true number
    EXPECT_EQ(root->FindChildElement("Button", "ID", 4), nullptr);
    EXPECT_EQ(root->FindChildElement("Button", "Unknown", 3), nullptr);
    EXPECT_EQ(root->FindChildElement("Nothing", "ID", 3), nullptr);
}

TEST(XmlTreeTest, FirstChildElementTakesOnlyPlainNames) {
    auto document = NewXmlDocument("Root");
    auto root = document->RootElement();
    root->AddElement("A");
    auto b = root->AddElement("B");
    EXPECT_EQ(root->FirstChildElement("B"), b);
    EXPECT_EQ(root->FirstChildElement("C"), nullptr);
    for (const char* notAName : {"A/B", "*", "", "1A", "//B", "B[1]"}) {
        EXPECT_THROW((void)root->FirstChildElement(notAName), std::invalid_argument) << notAName;
    }
}

TEST(XmlTreeTest, RemovedAndClearedChildrenForgetTheirParent) {
    auto document = NewXmlDocument("Root");
    auto root = document->RootElement();
    auto a = root->AddElement("A");
    auto b = root->AddElement("B");
    root->SetAttrInt("Kept", 1);
    root->RemoveChildNode(a);
    EXPECT_EQ(a->ParentNode(), nullptr);
    ASSERT_EQ(root->ChildNodes().Count(), 1u);
    EXPECT_EQ(root->ChildNodes()[0], b);
    root->ClearChildNodes();
    EXPECT_EQ(b->ParentNode(), nullptr);
    EXPECT_EQ(root->ChildNodes().Count(), 0u);
    EXPECT_EQ(root->GetAttrInt("Kept", 0), 1);
    document.reset();
    root.reset();  // a node held elsewhere outlives its former parent and its document safely
    EXPECT_EQ(b->ParentNode(), nullptr);
    b->SetAttrText("Still", "here, with a value longer than a short string");
    EXPECT_EQ(b->AddElement("C")->ParentNode(), b.get());
    EXPECT_EQ(b->GetAttrText("Still", ""), "here, with a value longer than a short string");
}

TEST(XmlTreeTest, CreateNewReplacesTheContent) {
    auto document = NewXmlDocument("Old");
    document->RootElement()->AddElement("Child");
    auto root = document->CreateNew("1.0", "", "Config");
    EXPECT_EQ(document->RootElement(), root);
    EXPECT_EQ(document->ToText(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Config/>");
}

}  // namespace
}  // namespace tavrin
