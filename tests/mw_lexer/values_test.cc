// The tuple value reader: decoding (parse_value), skipping (skip_value) and
// the bulk searches they rest on, each checked against a plain byte-by-byte
// reading of the same input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "lexer_test_util.h"
#include "mw_lexer/byte_search.h"
#include "mw_lexer/reader.h"

namespace {

using lexer_test::consumed;
using lexer_test::open_memory;
using lexer_test::rest_of;

struct value_case {
  const char *name;
  std::string input;
  std::string bytes;
  bool is_null;
  bool quoted;
  std::string rest;
};

TEST(ParseValue, TableOfCases) {
  using namespace std::string_literals;
  const value_case cases[] = {
      {"integer", "42,", "42", false, false, ","},
      {"negative before paren", "-7)", "-7", false, false, ")"},
      {"decimal", "0.156809348053,", "0.156809348053", false, false, ","},
      {"leading white space", " \n\t'x' ", "x", false, true, " "},
      {"single-quoted", "'abc',", "abc", false, true, ","},
      {"every escape",
       "'a\\0b\\bc\\td\\ne\\rf\\Zg\\\\h\\'i\\\"j\\%k\\_l\\qm\\zn\\Ao'",
       "a\0b\bc\td\ne\rf\x1ag\\h'i\"j%k_lqmznAo"s, false, true, ""},
      {"NUL bytes are kept and counted", "'\\0\\0x\\0'", "\0\0x\0"s, false, true, ""},
      {"doubled single quote", "'it''s'", "it's", false, true, ""},
      {"single quote in double quotes", "\"it's\"", "it's", false, true, ""},
      {"double quote in single quotes", "'say \"hi\"'", "say \"hi\"", false, true, ""},
      {"doubled double quote", "\"say \"\"hi\"\"\"", "say \"hi\"", false, true, ""},
      {"charset introducer", "_utf8mb4 'abc',", "abc", false, true, ","},
      {"introducer without blank", "_binary'\\0x'", "\0x"s, false, true, ""},
      {"bit literal", "b'0101'", "0101", false, true, ""},
      {"capital bit literal", "B'1'", "1", false, true, ""},
      {"bare word", "bar,", "bar", false, false, ","},
      {"bare word at end", "bar", "bar", false, false, ""},
      {"NULL", "NULL,", "", true, false, ","},
      {"null in small letters", "null)", "", true, false, ")"},
      {"null in mixed letters", "NuLl ", "", true, false, " "},
      {"NULLX is text", "NULLX,", "NULLX", false, false, ","},
      {"quoted NULL is text", "'NULL'", "NULL", false, true, ""},
      {"empty before comma", ",x", "", false, false, ",x"},
      {"empty before paren", ")", "", false, false, ")"},
      {"empty quoted", "'',", "", false, true, ","},
      {"hex literal stays as written", "0x4D61,", "0x4D61", false, false, ","},
      {"backslash outside quotes is ordinary", "a\\n,", "a\\n", false, false, ","},
      {"UTF-8 passes through", "'\xC3\xA9\xE2\x82\xAC'", "\xC3\xA9\xE2\x82\xAC", false, true, ""},
      {"unterminated string", "'abc", "abc", false, true, ""},
      {"backslash at end of input", "'abc\\", "abc", false, true, ""},
      {"text after closing quote stays", "'a'b", "a", false, true, "b"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    auto s = open_memory(c.input);
    std::string storage = "stale";
    sql_value_t v{};
    ASSERT_EQ(parse_value(s.get(), storage, &v), 0);
    EXPECT_EQ(std::string(v.data, v.len), c.bytes);
    EXPECT_EQ(v.data[v.len], '\0');
    EXPECT_EQ(v.is_null, c.is_null);
    EXPECT_EQ(v.quoted, c.quoted);
    EXPECT_EQ(rest_of(s.get()), c.rest);

    // Skipping consumes exactly what decoding consumed.
    auto t = open_memory(c.input);
    ASSERT_EQ(skip_value(t.get()), 0);
    EXPECT_EQ(rest_of(t.get()), c.rest);
  }
}

TEST(ParseValue, UnquotedValuesAndIntroducersStraddlingABlock) {
  const struct {
    std::string input, bytes;
    bool is_null, quoted;
  } cases[] = {
      {"NULL,", "", true, false},
      {"1234567890,", "1234567890", false, false},
      {"_utf8mb4  'abc',", "abc", false, true},
      {"b'0101',", "0101", false, true},
      {"bareword,", "bareword", false, false},
  };
  for (const auto &c : cases) {
    for (size_t k = 0; k <= 10; ++k) {
      SCOPED_TRACE(c.input + " at " + std::to_string(k));
      const std::string input = std::string(kStreamBlock - k, ' ') + c.input;
      auto s = open_memory(input);
      std::string storage;
      sql_value_t v{};
      ASSERT_EQ(parse_value(s.get(), storage, &v), 0);
      EXPECT_EQ(std::string(v.data, v.len), c.bytes);
      EXPECT_EQ(v.is_null, c.is_null);
      EXPECT_EQ(v.quoted, c.quoted);
      EXPECT_EQ(rest_of(s.get()), ",");
      auto t = open_memory(input);
      ASSERT_EQ(skip_value(t.get()), 0);
      EXPECT_EQ(rest_of(t.get()), ",");
    }
  }
}

TEST(ParseValue, EndOfInputBeforeAValueIsMinusOne) {
  for (const char *input : {"", "  \n\t "}) {
    auto s = open_memory(input);
    std::string storage;
    sql_value_t v{};
    EXPECT_EQ(parse_value(s.get(), storage, &v), -1);
    auto t = open_memory(input);
    EXPECT_EQ(skip_value(t.get()), -1);
  }
}

// The reference reading of one quoted value, byte by byte: the decoded
// bytes and the number of input bytes consumed.
struct reference_value {
  std::string bytes;
  size_t consumed;
};

char unescape(char c) {
  switch (c) {
    case '0': return '\0';
    case 'b': return '\b';
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'Z': return '\x1a';
    default: return c;
  }
}

reference_value reference_quoted(const std::string &in, size_t start) {
  reference_value r;
  size_t i = start;
  const char quote = in[i++];
  while (i < in.size()) {
    char c = in[i++];
    if (c == '\\') {
      if (i == in.size()) break;
      r.bytes.push_back(unescape(in[i++]));
    } else if (c == quote) {
      if (i < in.size() && in[i] == quote) {
        r.bytes.push_back(quote);
        ++i;
      } else {
        break;
      }
    } else {
      r.bytes.push_back(c);
    }
  }
  r.consumed = i;
  return r;
}

// Random bodies of backslash runs, both quotes and letters, placed so that
// they straddle the stream's 64 KiB block and the scanner's 64-byte steps.
TEST(ParseValue, BulkStringScanAgreesWithByteByByteReference) {
  std::mt19937 rng(7741);
  const char alphabet[] = {'\\', '\\', '\\', '\\', '\'', '\'', '"', 'n', '0', 'a', 'Z'};
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  const size_t lengths[] = {0, 1, 2, 31, 62, 63, 64, 65, 66, 127, 128, 129, 200,
                            kStreamBlock - 1, kStreamBlock, kStreamBlock + 1};
  int rounds = 0;
  for (size_t length : lengths) {
    for (int variant = 0; variant < (length > 1000 ? 6 : 40); ++variant) {
      ++rounds;
      // Where the value starts: at 0, or a little before the block boundary.
      std::uniform_int_distribution<size_t> back(0, 130);
      const size_t pad = variant % 4 == 0 ? 0 : kStreamBlock - back(rng);
      const char quote = coin(rng) ? '\'' : '"';
      std::string input(pad, ' ');
      input.push_back(quote);
      // Mostly bodies that escape their quotes, so the value runs long.
      const bool dense_quotes = variant % 3 == 0;
      for (size_t n = 0; n < length; ++n) {
        char c = alphabet[pick(rng)];
        if (!dense_quotes && c == quote) c = 'q';
        input.push_back(c);
      }
      if (coin(rng)) input.push_back(quote);
      input += ",tail";

      const reference_value want = reference_quoted(input, pad);
      auto s = open_memory(input);
      std::string storage;
      sql_value_t v{};
      ASSERT_EQ(parse_value(s.get(), storage, &v), 0);
      ASSERT_TRUE(v.quoted);
      ASSERT_EQ(std::string(v.data, v.len), want.bytes)
          << "length " << length << " variant " << variant;
      ASSERT_EQ(consumed(*s), want.consumed) << "length " << length << " variant " << variant;

      auto t = open_memory(input);
      ASSERT_EQ(skip_value(t.get()), 0);
      ASSERT_EQ(consumed(*t), want.consumed) << "length " << length << " variant " << variant;
    }
  }
  EXPECT_GT(rounds, 400);
}

TEST(ParseValue, SeveralMegabyteValuePassesWhole) {
  std::string text;
  for (size_t i = 0; text.size() < 3'000'000; ++i)
    text += "line " + std::to_string(i) + " with 'quotes', \\backslashes\\ and \n";
  auto s = open_memory(lexer_test::sql_quote(text) + ")");
  std::string storage;
  sql_value_t v{};
  ASSERT_EQ(parse_value(s.get(), storage, &v), 0);
  EXPECT_EQ(v.len, text.size());
  EXPECT_TRUE(std::string(v.data, v.len) == text);
  EXPECT_EQ(rest_of(s.get()), ")");
}

// Escapes of a 64-byte block, one position at a time: a byte is escaped
// when the byte before it is a backslash that is not itself escaped.
uint64_t reference_escaped(uint64_t backslash, uint64_t &carry) {
  uint64_t escaped = 0;
  bool next_escaped = carry != 0;
  for (int i = 0; i < 64; ++i) {
    const bool is_escaped = next_escaped;
    if (is_escaped) escaped |= uint64_t{1} << i;
    next_escaped = !is_escaped && ((backslash >> i) & 1);
  }
  carry = next_escaped ? 1 : 0;
  return escaped;
}

TEST(ByteSearch, EscapedPositionsAgreeWithScalarReference) {
  std::mt19937_64 rng(99);
  std::vector<uint64_t> masks = {0, ~uint64_t{0}, 0x5555555555555555ULL,
                                 0xAAAAAAAAAAAAAAAAULL, uint64_t{1} << 63,
                                 uint64_t{3} << 62, 1, 3, 7, 0x8000000000000001ULL};
  for (int i = 0; i < 20000; ++i) {
    // Dense masks make long runs of backslashes; sparse ones isolated ones.
    uint64_t m = rng();
    if (i % 3 == 0) m |= rng();
    if (i % 3 == 1) m &= rng();
    masks.push_back(m);
  }
  for (uint64_t mask : masks) {
    for (uint64_t carry_in : {0, 1}) {
      uint64_t want_carry = carry_in, got_carry = carry_in;
      const uint64_t want = reference_escaped(mask, want_carry);
      const uint64_t got = byte_search::escaped_positions(mask, got_carry);
      ASSERT_EQ(got, want) << std::hex << "mask " << mask << " carry " << carry_in;
      ASSERT_EQ(got_carry, want_carry) << std::hex << "mask " << mask << " carry " << carry_in;
    }
  }
}

// find_string_end over a buffer cut into pieces, the escape state carried
// from piece to piece, against the first unescaped quote found by hand.
TEST(ByteSearch, FindStringEndCarriesEscapesAcrossPieces) {
  std::mt19937 rng(4242);
  const char alphabet[] = {'\\', '\\', '\\', '\'', 'a'};
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 1);
  for (int round = 0; round < 3000; ++round) {
    std::uniform_int_distribution<size_t> len(0, 300);
    std::string buf;
    for (size_t n = len(rng); n > 0; --n) buf.push_back(alphabet[pick(rng)]);
    size_t want = buf.size();
    for (size_t i = 0; i < buf.size(); ++i) {
      if (buf[i] == '\\') {
        ++i;
      } else if (buf[i] == '\'') {
        want = i;
        break;
      }
    }
    uint64_t carry = 0;
    size_t at = 0, got = buf.size();
    std::uniform_int_distribution<size_t> piece(1, 140);
    while (at < buf.size()) {
      size_t n = std::min(piece(rng), buf.size() - at);
      size_t k = byte_search::find_string_end(
          reinterpret_cast<const uint8_t *>(buf.data()) + at, n, '\'', carry);
      if (k < n) {
        got = at + k;
        break;
      }
      at += n;
    }
    ASSERT_EQ(got, want) << "round " << round << " buffer " << buf;
  }
}

TEST(ByteSearch, FindEitherAndFindAny3ReturnTheFirstMatch) {
  for (size_t n = 0; n <= 40; ++n) {
    for (size_t at = 0; at <= n; ++at) {
      std::string buf(n, 'x');
      if (at < n) buf[at] = ';';
      if (at + 1 < n) buf[at + 1] = '\'';
      const auto *p = reinterpret_cast<const uint8_t *>(buf.data());
      EXPECT_EQ(byte_search::find_either(p, n, '\'', ';'), at) << n << " " << at;
      EXPECT_EQ(byte_search::find_any3(p, n, '"', '\'', ';'), at) << n << " " << at;
      EXPECT_EQ(byte_search::find_either(p, n, 'q', 'z'), n);
    }
  }
}

}  // namespace
