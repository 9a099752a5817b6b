#include "library/ElementAttributes.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <climits>

namespace {

TEST(ParseIntegerText, ReadsLikeTheDocumentDefines)
{
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {nullptr, 0}, {"", 0}, {"42", 42}, {"-42", -42}, {"+7", 7}, {" \t\r\n\v\f12", 12},
        {"12abc", 12}, {"abc", 0}, {"-", 0}, {"- 5", 0}, {"0x10", 0}, {"3.9", 3},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN}, {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN}, {"0000000000000000000000000001", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, ParseIntegerText(c.text)) << (c.text ? c.text : "(null)");
}

TEST(FindAttributeValue, IgnoresAsciiCaseAndTakesTheFirstMatch)
{
    TiXmlDocument doc;
    doc.Parse("<e Value='first' value='second' VALUE='third' id=' 5'/>", nullptr, TIXML_ENCODING_UTF8);
    ASSERT_FALSE(doc.Error());
    const TiXmlElement& e = *doc.RootElement();
    EXPECT_STREQ("first", FindAttributeValue(e, "value"));
    EXPECT_STREQ("first", FindAttributeValue(e, "VALUE"));
    EXPECT_EQ(nullptr, FindAttributeValue(e, "valu"));
    EXPECT_EQ(5, ReadIntegerAttribute(e, "ID"));
    EXPECT_EQ(0, ReadIntegerAttribute(e, "missing"));
    EXPECT_EQ(L"", ReadTextAttribute(e, "missing"));
}

} // namespace
