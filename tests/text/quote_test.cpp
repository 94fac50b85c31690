#include "text/quote.h"

#include <gtest/gtest.h>

#include <string>

namespace sonvale {
namespace {

TEST(QuotedExcerptTest, ControlBytesAndBrokenUtf8AreEscaped) {
  // ESC [ 2 J would clear the terminal, BEL rings it; neither may pass.
  EXPECT_EQ(QuotedExcerpt("a\x1b[2J\x07z"), "\"a\\x1B[2J\\x07z\"");
  EXPECT_EQ(QuotedExcerpt("1\t2\r\n3\x7f"), "\"1\\t2\\r\\n3\\x7F\"");
  EXPECT_EQ(QuotedExcerpt(std::string("a\0b", 3)), "\"a\\x00b\"");
  // C1 controls are UTF-8 but act on some terminals as ESC does.
  EXPECT_EQ(QuotedExcerpt("x\xc2\x85y\xc2\x9b"), "\"x\\u0085y\\u009B\"");
  // A lone continuation byte, a sequence cut by the end, an overlong form, a surrogate.
  EXPECT_EQ(QuotedExcerpt("\x80"), "\"\\x80\"");
  EXPECT_EQ(QuotedExcerpt("ok\xe2\x82"), "\"ok\\xE2\\x82\"");
  EXPECT_EQ(QuotedExcerpt("\xc0\xaf"), "\"\\xC0\\xAF\"");
  EXPECT_EQ(QuotedExcerpt("\xed\xa0\x80"), "\"\\xED\\xA0\\x80\"");
  // Text as it is meant to be read stays as it is; quote and backslash are marked.
  EXPECT_EQ(QuotedExcerpt("Velocità € 𝄞"), "\"Velocità € 𝄞\"");
  EXPECT_EQ(QuotedExcerpt("say \"hi\" C:\\x"), "\"say \\\"hi\\\" C:\\\\x\"");
  EXPECT_EQ(SafeExcerpt("ab\x1b"), "ab\\x1B");
}

TEST(QuotedExcerptTest, AtMostFortyCharactersWhateverTheirBytes) {
  const std::string forty(40, 'x');
  EXPECT_EQ(QuotedExcerpt(forty), "\"" + forty + "\"");
  EXPECT_EQ(QuotedExcerpt(forty + "y"), "\"" + forty + "...\"");
  EXPECT_EQ(QuotedExcerpt(std::string(5'000'000, 'z')).size(), 40u + 5u);

  // Forty two-byte letters are forty characters, never cut inside one.
  std::string accents;
  for (int k = 0; k < 41; ++k) accents += "à";
  EXPECT_EQ(QuotedExcerpt(accents), "\"" + accents.substr(0, 80) + "...\"");

  // An escape counts as one character, so binary cannot make the excerpt grow
  // beyond four bytes a character.
  const std::string binary(1000, '\x01');
  std::string expected;
  for (int k = 0; k < 40; ++k) expected += "\\x01";
  EXPECT_EQ(QuotedExcerpt(binary), "\"" + expected + "...\"");
}

}  // namespace
}  // namespace sonvale
