#include "tessel/display_text.h"

#include <gtest/gtest.h>

namespace {

struct printable_case {
  const char *raw;
  const char *shown;
};

TEST(PrintableText, ReplacesControlsAndInvalidUtf8ButKeepsValidText) {
  const printable_case cases[] = {
      {"Main_Page", "Main_Page"},
      {"Zo\xc3\xab \xe7\x81\xab\xe5\xb1\xb1 \xf0\x9f\x8c\x8b", "Zo\xc3\xab \xe7\x81\xab\xe5\xb1\xb1 \xf0\x9f\x8c\x8b"},
      {"a\x1b[31mb", "a?[31mb"},  // an escape sequence in a title
      {"a\nb\tc\rd\x07", "a?b?c?d?"},
      {"del\x7f", "del?"},
      {"c1\xc2\x85", "c1?"},          // U+0085, a C1 control
      {"\xff\xfe", "??"},              // never valid in UTF-8
      {"cut\xc3", "cut?"},             // sequence cut short at the end
      {"\xe2\x82x", "??x"},            // cut short before an ASCII byte
      {"\xc0\xaf", "??"},              // overlong '/'
      {"\xed\xa0\x80", "???"},         // a surrogate
      {"\xf4\x90\x80\x80", "????"},    // beyond U+10FFFF
  };
  for (const printable_case &c : cases) EXPECT_EQ(printable_text(c.raw), c.shown) << c.raw;
}

TEST(TextColumns, CountsWideCharactersTwiceAndCombiningMarksNotAtAll) {
  EXPECT_EQ(text_columns("Zo\xc3\xab"), 3u);
  EXPECT_EQ(text_columns("\xe7\x81\xab\xe5\xb1\xb1"), 4u);  // 火山
  EXPECT_EQ(text_columns("e\xcc\x81"), 1u);                 // e + combining acute
  EXPECT_EQ(text_columns(""), 0u);
}

struct cut_case {
  const char *text;
  size_t columns;
  const char *kept;
};

TEST(CutToColumns, CutsBetweenCharactersWithinTheWidth) {
  const cut_case cases[] = {
      {"abcdef", 3, "abc"},
      {"ab", 10, "ab"},
      {"abc", 0, ""},
      {"Zo\xc3\xab visited", 3, "Zo\xc3\xab"},
      {"Zo\xc3\xab visited", 2, "Zo"},
      {"\xe7\x81\xab\xe5\xb1\xb1", 3, "\xe7\x81\xab"},  // no half of a wide character
      {"\xe7\x81\xab\xe5\xb1\xb1", 4, "\xe7\x81\xab\xe5\xb1\xb1"},
      {"e\xcc\x81x", 1, "e\xcc\x81"},  // the mark stays with its letter
      {"\xf0\x9f\x8c\x8b!", 2, "\xf0\x9f\x8c\x8b"},
  };
  for (const cut_case &c : cases) {
    const std::string_view kept = cut_to_columns(c.text, c.columns);
    EXPECT_EQ(kept, c.kept) << c.text << " in " << c.columns;
    EXPECT_LE(text_columns(kept), c.columns);
  }
}

}  // namespace
