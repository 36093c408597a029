#include "framework/parameters/XmlReading.h"

#include <gtest/gtest.h>

TEST (XmlReading, ParsesOrdinaryDocuments)
{
    const auto root = XmlReading::parse (R"(<?xml version="1.0" encoding="UTF-8"?>
        <!-- a comment with <tags> inside -->
        <Root a="1"><Child><![CDATA[<not><an><element>]]></Child><Other/></Root>)");

    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "Root");
    EXPECT_EQ (root->getNumChildElements(), 2);
}

TEST (XmlReading, NamesAreComparedWithoutCase)
{
    const auto root = XmlReading::parse (R"(<root Value="7"><ITEM n="1"/><skip/><Item n="2"/><item n="3"/></root>)");
    ASSERT_NE (root, nullptr);

    EXPECT_TRUE (XmlReading::hasTag (*root, "ROOT"));
    EXPECT_TRUE (XmlReading::hasAttribute (*root, "value"));
    EXPECT_FALSE (XmlReading::hasAttribute (*root, "valu"));
    EXPECT_EQ (XmlReading::getAttribute (*root, "VALUE"), "7");
    EXPECT_EQ (XmlReading::getAttribute (*root, "missing", "fallback"), "fallback");

    juce::StringArray seen;

    for (auto* item = XmlReading::firstChild (*root, "item"); item != nullptr; item = XmlReading::nextSibling (*item, "item"))
        seen.add (item->getStringAttribute ("n"));

    EXPECT_EQ (seen, juce::StringArray ("1", "2", "3"));
    EXPECT_EQ (XmlReading::firstChild (*root, "none"), nullptr);
}

TEST (XmlReading, RefusesTextThatIsNoDocument)
{
    EXPECT_EQ (XmlReading::parse (""), nullptr);
    EXPECT_EQ (XmlReading::parse ("plain words"), nullptr);
    EXPECT_EQ (XmlReading::parse ("<open><unclosed>"), nullptr);
    EXPECT_EQ (XmlReading::parse ("<a b=\"unterminated></a>"), nullptr);
    EXPECT_EQ (XmlReading::parseUtf8 ("\xc3\x28<a/>", 6), nullptr);
    EXPECT_EQ (XmlReading::parseUtf8 (nullptr, 10), nullptr);
    EXPECT_EQ (XmlReading::parseFile (juce::File::getSpecialLocation (juce::File::tempDirectory)
                                          .getChildFile ("no such halvenek document.xml")), nullptr);
}

TEST (XmlReading, RefusesHostileNestingWithoutCrashing)
{
    const int depth = 100000;

    EXPECT_EQ (XmlReading::parse (juce::String::repeatedString ("<a>", depth) + juce::String::repeatedString ("</a>", depth)), nullptr);
    EXPECT_EQ (XmlReading::parse (juce::String::repeatedString ("<a q=\"'\">", depth)), nullptr);
    EXPECT_EQ (XmlReading::parse ("<r>" + juce::String::repeatedString ("<a><!-- x --><?pi?>", depth) + "</r>"), nullptr);

    const int limit = XmlReading::maximumNestingDepth;
    EXPECT_NE (XmlReading::parse (juce::String::repeatedString ("<a>", limit) + juce::String::repeatedString ("</a>", limit)), nullptr);
    EXPECT_EQ (XmlReading::parse (juce::String::repeatedString ("<a>", limit + 1) + juce::String::repeatedString ("</a>", limit + 1)), nullptr);
}

TEST (XmlReading, RefusesDocumentTypeDeclarations)
{
    // The parser expands entities of a declared document type recursively; a self-referring
    // entity would overflow the stack. No document of ours declares a type.
    EXPECT_EQ (XmlReading::parse (R"(<!DOCTYPE r [ <!ENTITY a "&zza;"> ]><r>&a;</r>)"), nullptr);
    EXPECT_EQ (XmlReading::parse (R"(<!DOCTYPE r [ x <!ENTITY a "&zzza;"> ]><r v="&a;"/>)"), nullptr);
    EXPECT_EQ (XmlReading::parse (R"(<?xml version="1.0"?><!DOCTYPE r><r/>)"), nullptr);
    EXPECT_EQ (XmlReading::parse (R"(<r><!ELEMENT r ANY></r>)"), nullptr);
}

TEST (XmlReading, CharacterReferencesMustNameCharacters)
{
    // The parser would put any number it reads into the text: surrogate halves, zero,
    // values past U+10FFFF, and digits it never checked.
    for (auto* reference : { "&#55296;", "&#xD800;", "&#xdfff;", "&#57343;", "&#x110000;", "&#1114112;", "&#0;", "&#x0;",
                             "&#99999999999;", "&#xFFFFFFFF;", "&#x00000000000041;x", "&#;", "&#x;", "&#12a;", "&#x4G;", "&#65" })
    {
        EXPECT_EQ (XmlReading::parse (juce::String ("<r>") + reference + "</r>"), nullptr) << reference;
        EXPECT_EQ (XmlReading::parse (juce::String ("<r a=\"") + reference + "\"/>"), nullptr) << reference;
    }

    const auto root = XmlReading::parse (R"(<r a="&#65;&#x10FFFF;&unknown;&amp;">&#xD7FF;&#xe000;&#X1F600;&undefined;<!-- &#0; --><![CDATA[&#xD800;]]></r>)");
    ASSERT_NE (root, nullptr);
    EXPECT_TRUE (root->getStringAttribute ("a").startsWith (juce::String::charToString (0x41) + juce::String::charToString (0x10ffff)));
    EXPECT_TRUE (root->getAllSubText().startsWith (juce::String::charToString (0xd7ff) + juce::String::charToString (0xe000)
                                                   + juce::String::charToString (0x1f600)));
}

TEST (XmlReading, OnlyCompleteDocumentsAreParsed)
{
    // The parser reports each of these as a whole document.
    const char* incomplete[] {
        "<a><b/></a", "<a><b/></", "<a></b></a>", "<a><b></a></b>", "<a x=\"1\"", "<a x=\"1", "<a><b x='>'",
        "<a/><b/>", "<a><!-- open", "<a><![CDATA[ open</a>", "<?xml version=\"1.0\"", "<a></a><",
    };

    for (auto* text : incomplete)
        EXPECT_EQ (XmlReading::parse (text), nullptr) << text;

    for (auto* text : { "<a><b/></a>", "<a b='>'/>", "<?xml version=\"1.0\"?>\n<a>x</a >\n<!-- done -->\n", "<a:b><c/></a:b>" })
        EXPECT_NE (XmlReading::parse (text), nullptr) << text;
}

TEST (XmlReading, OnlyWellFormedUtf8IsRead)
{
    const std::string illFormed[] {
        "\xc0\x80", "\xc1\xbf", "\xe0\x80\xaf", "\xe0\x9f\xbf", "\xed\xa0\x80", "\xed\xbf\xbf", "\xf0\x80\x80\x80",
        "\xf0\x8f\xbf\xbf", "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xff", "\x80", "\xc3", "\xe2\x82", "\xf0\x9f\x98",
    };

    for (const auto& bytes : illFormed)
    {
        EXPECT_FALSE (XmlReading::isWellFormedUtf8 (bytes.data(), bytes.size())) << juce::String::toHexString (bytes.data(), (int) bytes.size());
        const auto text = "<a n=\"" + bytes + "\"/>";
        EXPECT_EQ (XmlReading::parseUtf8 (text.data(), text.size()), nullptr);
    }

    const std::string wellFormed = "x\xc2\x80\xdf\xbf\xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf";
    EXPECT_TRUE (XmlReading::isWellFormedUtf8 (wellFormed.data(), wellFormed.size()));

    // A byte-order mark is no part of the text; a zero byte ends it.
    EXPECT_NE (XmlReading::parseUtf8 ("\xef\xbb\xbf<a/>", 7), nullptr);
    EXPECT_NE (XmlReading::parseUtf8 ("<a/>\0junk", 9), nullptr);
    EXPECT_EQ (XmlReading::parseUtf8 ("<a></\0a>", 8), nullptr);
}
