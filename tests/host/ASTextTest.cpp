#include <gtest/gtest.h>

#include "host/ASText.h"

using host::ASText;
namespace text = host::text;

TEST(ASText, PdfTextStringsRoundTripThroughBothEncodings) {
  struct Case {
    std::string utf8;
    std::string pdText;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"caf\xC3\xA9", "caf\xE9"},                          // Latin-1 range stays one byte
      {"\xE2\x80\xA2 \xE2\x82\xAC", "\x80 \xA0"},          // bullet and euro have their own codes
      {"\xE6\x97\xA5", std::string("\xFE\xFF\x65\xE5", 4)},  // CJK needs UTF-16BE
      {"\xF0\x9F\x98\x80", std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6)},  // surrogate pair
  };
  for (const auto& c : cases) {
    const ASText t = ASText::FromUTF8(c.utf8);
    EXPECT_EQ(t.PDText(), c.pdText) << c.utf8;
    EXPECT_EQ(ASText::FromPDText(c.pdText).UTF8(), c.utf8);
  }
}

TEST(ASText, ByteOrderMarkAloneIsEmptyText) {
  EXPECT_TRUE(ASText::FromPDText("\xFE\xFF").IsEmpty());
  EXPECT_EQ(ASText::FromPDText("\xFE").UTF8(), "\xC3\xBE");  // one byte: PDFDocEncoding
}

TEST(ASText, MalformedUtf8BecomesReplacementCharacters) {
  const ASText t = ASText::FromUTF8("a\xFF" "b\xC3");
  EXPECT_EQ(t.UTF8(), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_TRUE(text::IsValidUTF8(t.UTF8()));
  EXPECT_FALSE(text::IsValidUTF8("\xED\xA0\x80"));  // encoded surrogate
}

TEST(ASText, TruncationNeverSplitsACharacter) {
  const std::string s = "ab\xC3\xA9\xE6\x97\xA5";  // a b é 日 (2 + 2 + 3 bytes)
  EXPECT_EQ(text::TruncateUTF8(s, 3), "ab");
  EXPECT_EQ(text::TruncateUTF8(s, 4), "ab\xC3\xA9");
  EXPECT_EQ(text::TruncateUTF8(s, 6), "ab\xC3\xA9");
  EXPECT_EQ(text::TruncateUTF8(s, 7), s);
}

TEST(ASText, PlaceholdersAreReplacedEverywhere) {
  ASText t = ASText::FromUTF8("%1 on page %2, again %1");
  t.ReplacePlaceholder("%1", ASText::FromUTF8("field"));
  t.ReplacePlaceholder("%2", ASText::FromUTF8("3"));
  EXPECT_EQ(t.UTF8(), "field on page 3, again field");
}

TEST(ASText, CodePointConversionRefusesSurrogatesAndOutOfRange) {
  EXPECT_EQ(text::CodePointToUTF8(0x2E), ".");
  EXPECT_EQ(text::CodePointToUTF8(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(text::CodePointToUTF8(0xD800), "");
  EXPECT_EQ(text::CodePointToUTF8(0x110000), "");
  EXPECT_EQ(text::FirstCodePoint("\xE2\x82\xAC!"), 0x20AC);
  EXPECT_EQ(text::FirstCodePoint(""), -1);
}
