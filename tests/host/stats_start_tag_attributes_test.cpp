#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/start_tag_attributes.h"

namespace orv {
namespace {

std::vector<std::string> Texts(const StartTagAttributes& attributes) {
    std::vector<std::string> texts;
    for (std::size_t position = 0; position < attributes.Count(); ++position) {
        texts.emplace_back(attributes.Text(position));
    }
    return texts;
}

std::vector<std::string> Parsed(std::string_view xml) {
    StartTagAttributes attributes;
    EXPECT_TRUE(attributes.Parse(xml)) << xml;
    return Texts(attributes);
}

TEST(StatsStartTagAttributes, ValuesComeByPositionNotByName) {
    // The names are out of the usual order and one is unknown: only positions count.
    EXPECT_EQ(Parsed(R"(<connection send="5" name="A" zz="" user="u"/>)"),
              (std::vector<std::string>{"5", "A", "", "u"}));
    EXPECT_EQ(Parsed("<connection/>"), std::vector<std::string>{});
    EXPECT_EQ(Parsed("<connection></connection>"), std::vector<std::string>{});
    std::string many = "<x";
    for (int i = 0; i < 14; ++i) {
        many += " a" + std::to_string(i) + "=\"" + std::to_string(i * 7) + "\"";
    }
    many += ">";
    const std::vector<std::string> texts = Parsed(many);
    ASSERT_EQ(texts.size(), 14u);
    EXPECT_EQ(texts[13], "91");
}

TEST(StatsStartTagAttributes, ReferencesAreResolvedAndLiteralsKept) {
    EXPECT_EQ(Parsed(R"(<c name="A&amp;B &lt;x&gt; &quot;q&quot; &apos;" v='it&apos;s "ok"'/>)"),
              (std::vector<std::string>{"A&B <x> \"q\" '", "it's \"ok\""}));
    EXPECT_EQ(Parsed(R"(<c a="line&#13;&#10;next&#9;" b="&#x41;&#xE9;&#x1F600;"/>)"),
              (std::vector<std::string>{"line\r\nnext\t", "A\xC3\xA9\xF0\x9F\x98\x80"}));
    // Text already in UTF-8 and literal white space pass unchanged (a serializer's output is
    // read as it was written, not normalized again).
    EXPECT_EQ(Parsed("<c name=\"Провайдер №1\" b=\"a\tb\"/>"),
              (std::vector<std::string>{"Провайдер №1", "a\tb"}));
}

TEST(StatsStartTagAttributes, OnlyTheStartTagIsRead) {
    EXPECT_EQ(Parsed(R"(<all a="1"><connection name="inner"/>text</all>)"),
              std::vector<std::string>{"1"});
    EXPECT_EQ(Parsed("<c\r\n  a = \"1\"\tb='2' >"), (std::vector<std::string>{"1", "2"}));
}

TEST(StatsStartTagAttributes, RefusesWhatItCannotReadFaithfully) {
    StartTagAttributes attributes;
    ASSERT_TRUE(attributes.Parse(R"(<c a="1"/>)"));
    for (const std::string_view xml :
         {std::string_view(R"(<c a="&custom;"/>)"),         // the document's own entity
          std::string_view(R"(<c xmlns="urn:x" a="1"/>)"),  // namespace declarations
          std::string_view(R"(<c a="1" xmlns:p="urn:x"/>)"),
          std::string_view(R"(<c a="&#0;"/>)"),  // not a character XML allows
          std::string_view(R"(<c a="&#xD800;"/>)"), std::string_view(R"(<c a="&#12x;"/>)"),
          std::string_view(R"(<c a="&amp"/>)"), std::string_view(R"(<c a="1)"),
          std::string_view(R"(<c a="1"b="2"/>)"), std::string_view(R"(<c a=1/>)"),
          std::string_view(R"(<c a="<"/>)"), std::string_view(R"(<c a="1")"),
          std::string_view("text"), std::string_view("<!-- comment -->"),
          std::string_view("<?pi data?>"), std::string_view("<![CDATA[x]]>"),
          std::string_view("")}) {
        EXPECT_FALSE(attributes.Parse(xml)) << xml;
        EXPECT_EQ(attributes.Count(), 0u) << xml;
    }
}

}  // namespace
}  // namespace orv
