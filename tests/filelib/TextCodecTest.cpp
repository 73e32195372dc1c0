#include <gtest/gtest.h>

#include "filelib/TextCodec.h"

using namespace OvGraphFileLib;

TEST(TextCodec, Cp932DecodesAndNeverFails)
{
    const struct {
        std::string bytes;
        std::u16string text;
    } rows[] = {
        {"Ch.1", u"Ch.1"},
        {"\x89\xB7\x93\x78", u"温度"},                       // two double-byte characters
        {"\xB1\xB2", u"ｱｲ"},                                 // half-width katakana
        {std::string("ab\0cd", 5), u"ab"},                   // ends at the first zero byte
        {"\x81", u"\uFFFD"},                                 // lead byte without its trail byte
        {"A\x85\x40Z", u"A\uFFFD@Z"},                        // an unassigned pair: one mark, then go on
        {"\x89\xB7\x93", u"温\uFFFD"},                      // a cut pair at the end...
        {"\x78\x89\xB7", u"x温"},                           // ...leaves nothing behind for the next text
        {"", u""},
    };
    for (const auto& row : rows) EXPECT_EQ(row.text, TextCodec::FromCp932(row.bytes)) << row.bytes;
}

TEST(TextCodec, Utf8RoundTripsAndMarksBrokenSequences)
{
    const std::u16string texts[] = {u"", u"plain", u"積算照度", u"°C", u"\U0001F600 emoji", u"Cumulative Illuminance",
                                     u"No.1 温度"};  // ASCII, then more
    for (const auto& text : texts) EXPECT_EQ(text, TextCodec::FromUtf8(TextCodec::ToUtf8(text)));

    const struct {
        std::string utf8;
        std::u16string text;
    } broken[] = {
        {"\xC3", u"\uFFFD"},                  // cut short
        {"a\xFFz", u"a\uFFFDz"},              // never a lead byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},        // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
    };
    for (const auto& row : broken) EXPECT_EQ(row.text, TextCodec::FromUtf8(row.utf8));
    EXPECT_EQ("\xEF\xBF\xBD", TextCodec::ToUtf8(std::u16string(1, char16_t(0xD800))));
    EXPECT_EQ("a\xEF\xBF\xBD", TextCodec::ToUtf8(u"a" + std::u16string(1, char16_t(0xDC00))));
}
