// How old_flags say a text is stored, and what the import does with each:
// gzip texts are inflated, external and object texts and broken gzip data
// are kept as they came and counted.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "lexer_test_util.h"
#include "mw_lexer/text_decoding.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using lexer_test::hex_literal;
using lexer_test::scan_text;
using lexer_test::sql_quote;

// Raw DEFLATE, as PHP's gzdeflate writes it.
std::string raw_deflate(const std::string &in) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&z, in.size()), '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

TEST(TextFlags, ClassifiesEachFlagOfTheList) {
  const struct {
    const char *flags;
    text_storage want;
  } cases[] = {
      {"", text_storage::plain},
      {"utf-8", text_storage::plain},
      {"gzip", text_storage::gzip},
      {"utf-8,gzip", text_storage::gzip},
      {" gzip , utf-8 ", text_storage::gzip},
      {"gzipped", text_storage::plain},
      {"external", text_storage::unreadable},
      {"utf-8,gzip,external", text_storage::unreadable},
      {"object", text_storage::unreadable},
      {"object,gzip", text_storage::unreadable},
  };
  for (const auto &c : cases) EXPECT_EQ(classify_text_flags(c.flags), c.want) << c.flags;
}

TEST(TextFlags, InflateNeedsACompleteStream) {
  const std::string text(100000, 'w');
  const std::string packed = raw_deflate(text);
  std::string out;
  ASSERT_TRUE(inflate_raw(packed.data(), packed.size(), out));
  EXPECT_EQ(out, text);
  EXPECT_FALSE(inflate_raw(packed.data(), packed.size() / 2, out));
  EXPECT_FALSE(inflate_raw("not deflate", 11, out));
  EXPECT_FALSE(inflate_raw("", 0, out));
}

TEST(HexLiteral, DecodesOnlyWholeLiterals) {
  const struct {
    std::string in;
    bool ok;
    std::string out;
  } cases[] = {
      {"0x4D61696E", true, "Main"},
      {"0x4d61", true, "Ma"},
      {"0X00FF", true, std::string("\0\xFF", 2)},
      {"0x", true, ""},
      {"0x4", false, ""},
      {"0x4G", false, ""},
      {"x4D", false, ""},
      {"1234", false, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.in);
    std::string out;
    ASSERT_EQ(decode_hex_literal(c.in.data(), c.in.size(), out), c.ok);
    if (c.ok) {
      EXPECT_EQ(out, c.out);
    }
  }
}

TEST(TextFlags, ImportInflatesGzipAndKeepsWhatItCannotDecode) {
  using namespace std::string_literals;
  const std::string wiki_text = "== It's ==\n'''Bold''' \\ text\0with a NUL"s + std::string(5000, '.');
  const std::string packed = raw_deflate(wiki_text);
  const std::string broken = packed.substr(0, packed.size() - 4);
  const struct {
    uint32_t id;
    std::string text_value;  // as written in the dump
    std::string flags;
    std::string stored;      // what the spool holds afterwards
  } rows[] = {
      {1, sql_quote(packed), "'utf-8,gzip'", wiki_text},
      {2, hex_literal(packed), hex_literal("gzip"), wiki_text},
      {3, sql_quote("DB://cluster5/123"), "'external,utf-8'", "DB://cluster5/123"},
      {4, sql_quote("O:15:\"HistoryBlobStub\":0:{}"), "'object'", "O:15:\"HistoryBlobStub\":0:{}"},
      {5, sql_quote(broken), "'gzip'", broken},
      {6, sql_quote("plain"), "'utf-8'", "plain"},
      {7, sql_quote("no flags"), "NULL", "no flags"},
  };
  std::string sql = "CREATE TABLE `text` (`old_id` int, `old_text` mediumblob, `old_flags` tinyblob);\n"
                    "INSERT INTO `text` VALUES ";
  for (const auto &r : rows) {
    if (&r != rows) sql += ",";
    sql += "(" + std::to_string(r.id) + "," + r.text_value + "," + r.flags + ")";
  }
  testing_support::TempDir dir;
  unique_store store(mw_store_create(dir.path().c_str()));
  scan_text(store.get(), sql + ";", 1);
  EXPECT_EQ(store->undecoded_texts, 3u);
  for (const auto &r : rows) {
    SCOPED_TRACE(r.id);
    uint64_t len = 0;
    text_buffer b = mw_store_read_text(store.get(), r.id, &len);
    ASSERT_TRUE(b);
    EXPECT_TRUE(std::string(b.get(), len) == r.stored);
  }
}

}  // namespace
