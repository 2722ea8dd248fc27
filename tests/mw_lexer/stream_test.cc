// The character stream and the small tools built on it: read_ident and
// skip_to_semicolon, in particular where their input straddles a block.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "lexer_test_util.h"
#include "mw_lexer/reader.h"
#include "mw_lexer/stream.h"

namespace {

using lexer_test::consumed;
using lexer_test::open_memory;
using lexer_test::rest_of;

TEST(Stream, DeliversEveryByteAcrossBlockBoundariesThenStaysAtEnd) {
  std::string input;
  for (size_t i = 0; i < 2 * kStreamBlock + 17; ++i)
    input.push_back(static_cast<char>((i * 7 + i / 251) & 0xFF));
  auto s = open_memory(input);
  for (size_t i = 0; i < input.size(); ++i) {
    ASSERT_EQ(stream_peek_char(s.get()), static_cast<unsigned char>(input[i])) << i;
    ASSERT_FALSE(s->eof) << i;
    ASSERT_EQ(stream_next_char(s.get()), static_cast<unsigned char>(input[i])) << i;
  }
  // The last byte has been delivered; only the next access finds the end.
  EXPECT_FALSE(s->eof);
  EXPECT_EQ(stream_peek_char(s.get()), -1);
  EXPECT_TRUE(s->eof);
  EXPECT_EQ(stream_next_char(s.get()), -1);
  EXPECT_EQ(stream_peek_char(s.get()), -1);
  EXPECT_FALSE(s->failed);
  EXPECT_EQ(s->bytes_read, input.size());
}

TEST(Stream, SkipWsCrossesABlockAndStopsAtTheFirstOtherByte) {
  // The six white-space bytes straddle the boundary; bytes 0x80 and above
  // (0x85 and 0xA0 are spaces in some locales) never are.
  std::string input(kStreamBlock - 3, ' ');
  input += "\t\n\v\f\r \xA0x";
  auto s = open_memory(input);
  stream_skip_ws(s.get());
  EXPECT_EQ(stream_next_char(s.get()), 0xA0);
  EXPECT_EQ(stream_next_char(s.get()), 'x');

  auto t = open_memory("\x85 rest");
  stream_skip_ws(t.get());
  EXPECT_EQ(stream_peek_char(t.get()), 0x85);
}

TEST(Stream, ReportsTheRunningByteCountAfterEveryBlock) {
  std::vector<uint64_t> seen;
  auto s = open_memory(std::string(2 * kStreamBlock + 100, 'a'));
  s->on_block = [](void *ctx, uint64_t n) {
    static_cast<std::vector<uint64_t> *>(ctx)->push_back(n);
  };
  s->on_block_context = &seen;
  rest_of(s.get());
  EXPECT_EQ(seen, (std::vector<uint64_t>{kStreamBlock, 2 * kStreamBlock,
                                         2 * kStreamBlock + 100}));
}

TEST(Stream, ASourceErrorEndsTheStreamAndIsRemembered) {
  class failing_source final : public dump_source {
   public:
    int64_t read(void *buf, size_t n) override {
      if (calls_++ == 0) {
        memset(buf, 'x', n);
        return static_cast<int64_t>(n);
      }
      error_ = "disk on fire";
      return -1;
    }

   private:
    int calls_ = 0;
  };
  auto s = stream_open(std::make_unique<failing_source>());
  EXPECT_EQ(rest_of(s.get()).size(), kStreamBlock);
  EXPECT_TRUE(s->eof);
  EXPECT_TRUE(s->failed);
  EXPECT_EQ(s->source->error(), "disk on fire");
}

struct ident_case {
  const char *name;
  std::string input;
  size_t out_size;
  int result;
  std::string ident;
  std::string rest;
};

TEST(ReadIdent, TableOfCases) {
  const ident_case cases[] = {
      {"back-quoted", "`page` rest", 64, 0, "page", " rest"},
      {"double-quoted", "\"page\"(", 64, 0, "page", "("},
      {"bare stops before other byte", "  page_id$9,x", 64, 0, "page_id$9", ",x"},
      {"bare stops at UTF-8", "na\xC3\xAFve", 64, 0, "na", "\xC3\xAFve"},
      {"quoted keeps any byte", "`a b,\xC3\xA9`x", 64, 0, "a b,\xC3\xA9", "x"},
      {"empty quoted is consumed", "`` x", 64, -1, "", " x"},
      {"no name consumes nothing", ",x", 64, -1, "", ",x"},
      {"end of input", "   ", 64, -1, "", ""},
      {"doubled back-quote ends the name", "`a``b`", 64, 0, "a", "`b`"},
      {"quoted cut, rest consumed", "`abcdefghijkl` z", 8, 0, "abcdefg", " z"},
      {"bare cut, rest consumed", "abcdefghijkl,z", 8, 0, "abcdefg", ",z"},
      {"unterminated quoted", "`abc", 64, 0, "abc", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    auto s = open_memory(c.input);
    std::string out(c.out_size, '\x7f');
    EXPECT_EQ(read_ident(s.get(), out.data(), out.size()), c.result);
    if (c.result == 0) {
      EXPECT_EQ(std::string(out.c_str()), c.ident);
    }
    EXPECT_EQ(rest_of(s.get()), c.rest);
  }
}

TEST(ReadIdent, NameStraddlingABlockIsReadWhole) {
  for (size_t pad : {kStreamBlock - 1, kStreamBlock - 5, kStreamBlock}) {
    SCOPED_TRACE(pad);
    auto s = open_memory(std::string(pad, ' ') + "`rev_timestamp` bare_name;");
    char out[64];
    ASSERT_EQ(read_ident(s.get(), out, sizeof out), 0);
    EXPECT_STREQ(out, "rev_timestamp");
    ASSERT_EQ(read_ident(s.get(), out, sizeof out), 0);
    EXPECT_STREQ(out, "bare_name");
    EXPECT_EQ(rest_of(s.get()), ";");
  }
}

struct skip_case {
  const char *name;
  std::string input;
  std::string rest;
};

TEST(SkipToSemicolon, IgnoresSemicolonsInsideLiterals) {
  const skip_case cases[] = {
      {"plain", "abc; rest", " rest"},
      {"single-quoted", "x='a;b'; rest", " rest"},
      {"double-quoted", "x=\"a;b\"; rest", " rest"},
      {"escaped quote", "'it\\';s'; rest", " rest"},
      {"doubled quote", "'it'';s'; rest", " rest"},
      {"escaped backslash closes", "'a\\\\'; rest", " rest"},
      {"other quote is ordinary", "\"a';b\"; rest", " rest"},
      {"doubled double quote", "\"a\"\";b\"; rest", " rest"},
      {"back-quotes are not literals", "`a;b`; rest", "b`; rest"},
      {"no semicolon", "abc 'def", ""},
      {"ends in a backslash", "'x\\", ""},
      {"empty literal", "'';x", "x"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    auto s = open_memory(c.input);
    skip_to_semicolon(s.get());
    EXPECT_EQ(rest_of(s.get()), c.rest);
  }
}

TEST(SkipToSemicolon, LiteralStraddlingABlockKeepsItsSemicolons) {
  for (size_t k : {0, 1, 2, 3, 63, 64, 65}) {
    SCOPED_TRACE(k);
    // The literal's escaped quote and doubled quote lie k bytes around the
    // boundary.
    std::string input(kStreamBlock - k, 'x');
    input += "'a;\\';'';b;'; tail";
    auto s = open_memory(input);
    skip_to_semicolon(s.get());
    EXPECT_EQ(rest_of(s.get()), " tail");
  }
}

// The reference statement skipper: one byte at a time.
size_t reference_skip(const std::string &in) {
  size_t i = 0;
  while (i < in.size()) {
    char c = in[i++];
    if (c == ';') return i;
    if (c != '\'' && c != '"') continue;
    while (i < in.size()) {
      char d = in[i++];
      if (d == '\\') {
        ++i;
      } else if (d == c) {
        if (i < in.size() && in[i] == c) {
          ++i;
        } else {
          break;
        }
      }
    }
  }
  return in.size();
}

TEST(SkipToSemicolon, AgreesWithAByteByByteReference) {
  std::mt19937 rng(20240301);
  const char alphabet[] = {'\\', '\\', '\\', '\'', '\'', '"', ';', 'a', 'b'};
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 1);
  for (int round = 0; round < 600; ++round) {
    const size_t pad = round % 3 == 0 ? 0 : kStreamBlock - (round % 130);
    std::uniform_int_distribution<size_t> len(0, round % 5 == 0 ? 70000 : 200);
    std::string input(pad, 'p');
    for (size_t n = len(rng); n > 0; --n) input.push_back(alphabet[pick(rng)]);
    auto s = open_memory(input);
    skip_to_semicolon(s.get());
    ASSERT_EQ(consumed(*s), reference_skip(input)) << "round " << round;
  }
}

}  // namespace
