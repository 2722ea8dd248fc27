// Rows into store records in import mode: columns by name where the schema
// is known, by position where it is not, and the conversions and defaults
// in between.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "lexer_test_util.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using lexer_test::scan_text;
using testing_support::TempDir;

class RowMapping : public ::testing::Test {
 protected:
  void scan(const std::string &sql) { scan_text(store.get(), sql, 1); }

  const mw_revision_t &only_revision() {
    EXPECT_EQ(store->revisions.size(), 1u);
    if (store->revisions.empty()) store->revisions.emplace_back();
    return store->revisions.front();
  }

  std::string text_of(uint32_t id) {
    uint64_t len = 0;
    text_buffer b = mw_store_read_text(store.get(), id, &len);
    return b ? std::string(b.get(), len) : "<none>";
  }

  TempDir dir;
  unique_store store{mw_store_create((dir / "work").c_str())};
};

TEST_F(RowMapping, PagePositionsWithoutSchemaDependOnTheWidth) {
  const struct {
    const char *tuple;
    uint32_t latest;
  } cases[] = {
      {"(7,3,'T',103,104,105,106,107,108,109,110,111,112)", 109},  // 13 values
      {"(7,3,'T',103,104,105,106,107,108,109,110,111)", 108},      // 12
      {"(7,3,'T',103,104,105,106,107,108,109,110)", 108},          // 11
      {"(7,3,'T',103,104,105,106,107,108,109)", 108},              // 10
      {"(7,3,'T',103,104,105,106,107,108)", 7},                    // 9: the page id
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.tuple);
    store->pages.clear();
    store->page_index.clear();
    scan(std::string("INSERT INTO page VALUES ") + c.tuple + ";");
    ASSERT_EQ(store->pages.size(), 1u);
    EXPECT_EQ(store->pages[0].page_id, 7u);
    EXPECT_EQ(store->pages[0].namespace_id, 3);
    EXPECT_STREQ(store->pages[0].title, "T");
    EXPECT_EQ(store->pages[0].latest_rev_id, c.latest);
  }
}

TEST_F(RowMapping, RevisionPositionsWithoutSchemaDependOnTheWidth) {
  const struct {
    const char *tuple;
    uint32_t text_id;
    const char *timestamp, *user, *comment;
  } cases[] = {
      {"(5,6,7,'c3',104,'u5','20200101000006',107,108,109,110,111)", 7, "20200101000006", "u5", "c3"},
      {"(5,6,7,'c3','20200101000004','u5',106)", 7, "20200101000004", "u5", "c3"},
      {"(5,6,'20200101000002','c3',104,'u5')", UINT32_MAX, "20200101000002", "u5", "c3"},
      {"(5,6,7,'c3',104)", 7, "7", "MediaWiki User", "c3"},
      {"(5,6,7)", 7, "7", "MediaWiki User", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.tuple);
    store->revisions.clear();
    scan(std::string("INSERT INTO revision VALUES ") + c.tuple + ";");
    const mw_revision_t &rev = only_revision();
    EXPECT_EQ(rev.rev_id, 5u);
    EXPECT_EQ(rev.page_id, 6u);
    EXPECT_EQ(rev.text_id, c.text_id);
    EXPECT_STREQ(rev.timestamp, c.timestamp);
    EXPECT_EQ(rev.user, c.user);
    EXPECT_EQ(rev.comment, c.comment);
    EXPECT_FALSE(rev.text_via_slot);
  }
}

TEST_F(RowMapping, SlotAndCategoryPositionsWithoutSchema) {
  scan("INSERT INTO slots VALUES (1,2),(3,9,4,0);INSERT INTO categorylinks VALUES (8,'Cat','x');");
  ASSERT_EQ(store->slots.size(), 2u);
  EXPECT_EQ(store->slots[0].rev_id, 1u);
  EXPECT_EQ(store->slots[0].content_id, 2u);
  EXPECT_EQ(store->slots[1].rev_id, 3u);
  EXPECT_EQ(store->slots[1].content_id, 4u);
  ASSERT_EQ(store->categorylinks.size(), 1u);
  EXPECT_EQ(store->categorylinks[0].page_id, 8u);
  EXPECT_STREQ(store->categorylinks[0].category, "Cat");
}

TEST_F(RowMapping, NamedColumnsAreReadWhereverTheyStand) {
  scan(
      "CREATE TABLE `page` (`page_title` varbinary(255), `page_latest` int, `page_id` int,"
      " `page_namespace` int);\n"
      "INSERT INTO `page` VALUES ('Named',42,7,4);\n"
      "CREATE TABLE `revision` (`rev_timestamp` binary(14), `rev_user_text` varbinary(255),"
      " `rev_comment` blob, `rev_text_id` int, `rev_page` int, `rev_id` int);\n"
      "INSERT INTO `revision` VALUES ('20240101000000','Ann','Fixed typo',70,7,700);\n"
      "CREATE TABLE `slots` (`slot_content_id` bigint, `slot_revision_id` bigint);\n"
      "INSERT INTO `slots` VALUES (5,700);\n"
      "CREATE TABLE `categorylinks` (`cl_to` varbinary(255), `cl_from` int);\n"
      "INSERT INTO `categorylinks` VALUES ('Help',7);\n"
      "CREATE TABLE `text` (`old_flags` tinyblob, `old_text` mediumblob, `old_id` int);\n"
      "INSERT INTO `text` VALUES ('utf-8','Body',70);\n"
      // A column list names the columns of a table nobody declared.
      "INSERT INTO `actor` (`actor_name`,`actor_id`) VALUES ('Listed',3);\n");
  ASSERT_EQ(store->pages.size(), 1u);
  EXPECT_EQ(store->pages[0].page_id, 7u);
  EXPECT_EQ(store->pages[0].namespace_id, 4);
  EXPECT_STREQ(store->pages[0].title, "Named");
  EXPECT_EQ(store->pages[0].latest_rev_id, 42u);
  const mw_revision_t &rev = only_revision();
  EXPECT_EQ(rev.rev_id, 700u);
  EXPECT_EQ(rev.page_id, 7u);
  EXPECT_EQ(rev.text_id, 70u);
  EXPECT_STREQ(rev.timestamp, "20240101000000");
  EXPECT_EQ(rev.user, "Ann");
  EXPECT_EQ(rev.comment, "Fixed typo");
  EXPECT_FALSE(rev.text_via_slot);
  ASSERT_EQ(store->slots.size(), 1u);
  EXPECT_EQ(store->slots[0].rev_id, 700u);
  EXPECT_EQ(store->slots[0].content_id, 5u);
  ASSERT_EQ(store->categorylinks.size(), 1u);
  EXPECT_EQ(store->categorylinks[0].page_id, 7u);
  EXPECT_STREQ(store->categorylinks[0].category, "Help");
  EXPECT_EQ(text_of(70), "Body");
  EXPECT_EQ(store->actor_names[3], "Listed");
}

TEST_F(RowMapping, ColumnMissingFromAKnownSchemaTakesTheDefault) {
  // A current revision row: at the positions a schema-less reading would
  // use for the user (5), the comment (3) and the text id (2) stand
  // rev_deleted, rev_actor and rev_comment_id.
  scan(
      "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
      " `rev_actor` bigint, `rev_timestamp` binary(14), `rev_minor_edit` tinyint,"
      " `rev_deleted` tinyint, `rev_len` int, `rev_parent_id` int, `rev_sha1` varbinary(32));\n"
      "INSERT INTO `revision` VALUES (9,1,33,44,'20240101000000',0,0,12,0,'abc');\n"
      "CREATE TABLE `page` (`page_id` int, `page_namespace` int, `page_title` varbinary(255),"
      " `a` int, `b` int, `c` int, `d` int, `e` int, `f` int, `g` int);\n"
      "INSERT INTO `page` VALUES (1,0,'P',3,4,5,6,7,8,9);\n"
      // Registered, but the tuple is too short to hold it.
      "CREATE TABLE `categorylinks` (`cl_from` int, `x` int, `cl_to` varbinary(255));\n"
      "INSERT INTO `categorylinks` VALUES (1,2);\n");
  const mw_revision_t &rev = only_revision();
  EXPECT_EQ(rev.user, "MediaWiki User");
  EXPECT_EQ(rev.comment, "");
  EXPECT_EQ(rev.text_id, 9u);  // placeholder: the text is reached through the slot
  EXPECT_TRUE(rev.text_via_slot);
  EXPECT_EQ(rev.actor_id, 44u);
  EXPECT_EQ(rev.comment_id, 33u);
  EXPECT_STREQ(rev.timestamp, "20240101000000");
  ASSERT_EQ(store->pages.size(), 1u);
  EXPECT_EQ(store->pages[0].latest_rev_id, 0u);
  ASSERT_EQ(store->categorylinks.size(), 1u);
  EXPECT_STREQ(store->categorylinks[0].category, "");
}

TEST_F(RowMapping, NullsAndEmptyTuplesGiveDefaults) {
  scan(
      "INSERT INTO page VALUES (1,NULL,NULL);\n"
      "INSERT INTO revision VALUES (5,6,NULL,'c','20240101000000','');\n"
      "INSERT INTO revision VALUES ();\n"
      "INSERT INTO text VALUES (8,NULL,'utf-8');\n"
      "INSERT INTO categorylinks VALUES (1,NULL);\n");
  ASSERT_EQ(store->pages.size(), 1u);
  EXPECT_EQ(store->pages[0].namespace_id, 0);
  EXPECT_STREQ(store->pages[0].title, "");
  ASSERT_EQ(store->revisions.size(), 2u);
  EXPECT_EQ(store->revisions[0].text_id, 5u);  // a NULL text id: the revision's own
  EXPECT_EQ(store->revisions[0].user, "MediaWiki User");
  EXPECT_EQ(store->revisions[1].rev_id, 0u);
  EXPECT_STREQ(store->revisions[1].timestamp, "");
  EXPECT_EQ(store->revisions[1].user, "MediaWiki User");
  EXPECT_EQ(store->revisions[1].comment, "");
  uint64_t len = 99;
  text_buffer empty = mw_store_read_text(store.get(), 8, &len);
  ASSERT_TRUE(empty);
  EXPECT_EQ(len, 0u);
  ASSERT_EQ(store->categorylinks.size(), 1u);
  EXPECT_STREQ(store->categorylinks[0].category, "");
}

TEST_F(RowMapping, NumbersAreConvertedLikeStrtoulWithin32Bits) {
  const struct {
    const char *id, *ns;
    uint32_t want_id;
    int32_t want_ns;
  } cases[] = {
      {"00042", "0", 42, 0},
      {"12abc", "-3", 12, -3},
      {"''", "'+5'", 0, 5},
      {"' 17'", "' -1'", 17, -1},
      {"4294967295", "2147483647", UINT32_MAX, INT32_MAX},
      {"4294967296", "2147483648", UINT32_MAX, INT32_MAX},
      {"99999999999999999999", "-2147483648", UINT32_MAX, INT32_MIN},
      {"-1", "-99999999999", UINT32_MAX, INT32_MIN},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.id);
    store->pages.clear();
    store->page_index.clear();
    scan(std::string("INSERT INTO page VALUES (") + c.id + "," + c.ns + ",'T');");
    ASSERT_EQ(store->pages.size(), 1u);
    EXPECT_EQ(store->pages[0].page_id, c.want_id);
    EXPECT_EQ(store->pages[0].namespace_id, c.want_ns);
  }
}

TEST_F(RowMapping, NulBytesStayInTextsAndEndTitles) {
  scan("INSERT INTO page VALUES (1,0,'Be\\0fore');\n"
       "INSERT INTO text VALUES (1,'a\\0b\\0\\0c','utf-8');\n");
  ASSERT_EQ(store->pages.size(), 1u);
  EXPECT_STREQ(store->pages[0].title, "Be");
  EXPECT_EQ(text_of(1), std::string("a\0b\0\0c", 6));
}

TEST_F(RowMapping, TablePrefixIsLearntFromTheFirstPrefixedTable) {
  // mysqldump writes mw_actor before mw_page; both then count and map.
  const std::string sql =
      "CREATE TABLE `mw_actor` (`actor_id` bigint, `actor_user` int, `actor_name` varbinary(255));\n"
      "INSERT INTO `mw_actor` VALUES (4,1,'Prefixed user');\n"
      "CREATE TABLE `mw_page` (`page_id` int, `page_namespace` int, `page_title` varbinary(255));\n"
      "INSERT INTO `mw_page` VALUES (1,0,'Prefixed');\n"
      "CREATE TABLE `mw_revision` (`rev_id` int, `rev_page` int, `rev_actor` bigint,"
      " `rev_timestamp` binary(14));\n"
      "INSERT INTO `MW_REVISION` VALUES (2,1,4,'20240101000000');\n"
      "INSERT INTO `mw_text` VALUES (2,'Text of two','utf-8');\n";
  scan(sql);
  EXPECT_EQ(store->table_prefix, "mw_");
  EXPECT_EQ(store->rows_page, 1u);
  EXPECT_EQ(store->rows_revision, 1u);
  EXPECT_EQ(store->rows_text, 1u);
  ASSERT_EQ(store->pages.size(), 1u);
  EXPECT_STREQ(store->pages[0].title, "Prefixed");
  mw_store_resolve_links(store.get());
  const mw_revision_t &rev = only_revision();
  EXPECT_EQ(rev.user, "Prefixed user");
  EXPECT_STREQ(rev.timestamp, "20240101000000");

  mw_store_t counted;
  scan_text(&counted, sql, 0);
  EXPECT_EQ(counted.rows_page, 1u);
  EXPECT_EQ(counted.rows_revision, 1u);
}

TEST_F(RowMapping, NameEndingInATableNameWithoutItsKeyColumnSetsNoPrefix) {
  scan("CREATE TABLE `wikipage` (`wp_id` int, `wp_title` varbinary(255));\n"
       "INSERT INTO `wikipage` VALUES (1,'x');\n"
       "CREATE TABLE `page` (`page_id` int);\n");
  EXPECT_EQ(store->table_prefix, "");
  EXPECT_EQ(store->rows_page, 0u);
  EXPECT_TRUE(store->pages.empty());
}

TEST_F(RowMapping, HexBlobLiteralsAreDecodedWhereTextIsRead) {
  using lexer_test::hex_literal;
  const std::string body("Hex\0body \xC3\xA9", 11);
  scan("CREATE TABLE `actor` (`actor_id` bigint, `actor_user` int, `actor_name` varbinary(255));\n"
       "INSERT INTO `actor` VALUES (1,NULL," + hex_literal("Hexa User") + ");\n"
       "CREATE TABLE `comment` (`comment_id` bigint, `comment_hash` int, `comment_text` blob);\n"
       "INSERT INTO `comment` VALUES (1,0," + hex_literal("Hex comment") + ");\n"
       "CREATE TABLE `content` (`content_id` bigint, `content_size` int, `content_sha1` varbinary(32),"
       " `content_model` int, `content_address` varbinary(255));\n"
       "INSERT INTO `content` VALUES (3,11,0x00,1," + hex_literal("tt:4") + ");\n"
       "CREATE TABLE `page` (`page_id` int, `page_namespace` int, `page_title` varbinary(255));\n"
       "INSERT INTO `page` VALUES (1,0," + hex_literal("Main_Page") + "),(2,0,'0x41'),(3,0,0x4);\n"
       "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
       " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
       "INSERT INTO `revision` VALUES (2,1,1,1," + hex_literal("20240102030405") + ");\n"
       "CREATE TABLE `slots` (`slot_revision_id` bigint, `slot_role_id` int, `slot_content_id` bigint);\n"
       "INSERT INTO `slots` VALUES (2,1,3);\n"
       "CREATE TABLE `text` (`old_id` int, `old_text` mediumblob, `old_flags` tinyblob);\n"
       "INSERT INTO `text` VALUES (4," + hex_literal(body) + "," + hex_literal("utf-8") + ");\n"
       "CREATE TABLE `categorylinks` (`cl_from` int, `cl_to` varbinary(255));\n"
       "INSERT INTO `categorylinks` VALUES (1,0x48656C70);\n");
  mw_store_resolve_links(store.get());
  ASSERT_EQ(store->pages.size(), 3u);
  EXPECT_STREQ(store->pages[0].title, "Main_Page");
  EXPECT_STREQ(store->pages[1].title, "0x41");  // quoted: a title, not a literal
  EXPECT_STREQ(store->pages[2].title, "0x4");   // odd digits: no literal
  const mw_revision_t &rev = only_revision();
  EXPECT_STREQ(rev.timestamp, "20240102030405");
  EXPECT_EQ(rev.user, "Hexa User");
  EXPECT_EQ(rev.comment, "Hex comment");
  uint64_t len = 0;
  text_buffer text = mw_store_read_revision_text(store.get(), rev, &len);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::string(text.get(), len), body);
  ASSERT_EQ(store->categorylinks.size(), 1u);
  EXPECT_STREQ(store->categorylinks[0].category, "Help");
}

}  // namespace
