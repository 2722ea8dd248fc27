// Dumps from MediaWiki 1.31 on keep users, comments and text addresses in
// tables of their own: actor, comment, content and, while the migrations
// ran, revision_actor_temp and revision_comment_temp.
#include <gtest/gtest.h>

#include <string>

#include "lexer_test_util.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using lexer_test::scan_text;

const char kActorAndComment[] =
    "CREATE TABLE `actor` (`actor_id` bigint, `actor_user` int, `actor_name` varbinary(255));\n"
    "INSERT INTO `actor` VALUES (1,1,'Alice'),(2,NULL,'192.0.2.7'),(1,1,'Not the first');\n"
    "CREATE TABLE `comment` (`comment_id` bigint, `comment_hash` int, `comment_text` blob,"
    " `comment_data` blob);\n"
    "INSERT INTO `comment` VALUES (5,0,'Created page',NULL),(6,0,'',NULL);\n";

const char kTextsThroughContent[] =
    "CREATE TABLE `slots` (`slot_revision_id` bigint, `slot_role_id` int, `slot_content_id` bigint,"
    " `slot_origin` bigint);\n"
    "INSERT INTO `slots` VALUES (10,1,20,10),(11,1,21,11);\n"
    "CREATE TABLE `content` (`content_id` bigint, `content_size` int, `content_sha1` varbinary(32),"
    " `content_model` int, `content_address` varbinary(255));\n"
    "INSERT INTO `content` VALUES (20,5,'a',1,'tt:30'),(21,5,'b',1,'tt:31');\n"
    "CREATE TABLE `text` (`old_id` int, `old_text` mediumblob, `old_flags` tinyblob);\n"
    "INSERT INTO `text` VALUES (10,'wrong: text of the revision id','utf-8'),"
    "(20,'wrong: text of the content id','utf-8'),(30,'Right ten','utf-8'),"
    "(31,'Right eleven','utf-8');\n";

struct resolved {
  uint32_t rev_id;
  const char *user, *comment, *text;
};

class LinkTables : public ::testing::Test {
 protected:
  void import(const std::string &sql) {
    scan_text(store.get(), sql, 1);
    mw_store_resolve_links(store.get());
  }

  void expect(const resolved &want) {
    SCOPED_TRACE(want.rev_id);
    const mw_revision_t *rev = nullptr;
    for (const auto &r : store->revisions)
      if (r.rev_id == want.rev_id) rev = &r;
    ASSERT_NE(rev, nullptr);
    EXPECT_EQ(rev->user, want.user);
    EXPECT_EQ(rev->comment, want.comment);
    uint64_t len = 0;
    text_buffer text = mw_store_read_revision_text(store.get(), *rev, &len);
    EXPECT_EQ(text ? std::string(text.get(), len) : "<none>", want.text);
  }

  testing_support::TempDir dir;
  unique_store store{mw_store_create(dir.path().c_str())};
};

TEST_F(LinkTables, LinksThroughTheTempTablesWhereTheRevisionHoldsZero) {
  // 1.35: rev_actor and rev_comment_id are 0; the temp tables come after
  // the revisions, as mysqldump orders them.
  import(std::string(kActorAndComment) +
         "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
         " `rev_actor` bigint, `rev_timestamp` binary(14), `rev_minor_edit` tinyint);\n"
         "INSERT INTO `revision` VALUES (10,1,0,0,'20210620084539',0),(11,1,0,0,'20210621000000',1);\n"
         "CREATE TABLE `revision_actor_temp` (`revactor_rev` int, `revactor_actor` bigint,"
         " `revactor_timestamp` binary(14), `revactor_page` int);\n"
         "INSERT INTO `revision_actor_temp` VALUES (10,1,'20210620084539',1),(11,2,'x',1);\n"
         "CREATE TABLE `revision_comment_temp` (`revcomment_rev` int, `revcomment_comment_id` bigint);\n"
         "INSERT INTO `revision_comment_temp` VALUES (10,5),(11,6);\n" +
         kTextsThroughContent);
  expect({10, "Alice", "Created page", "Right ten"});
  expect({11, "192.0.2.7", "", "Right eleven"});
}

TEST_F(LinkTables, LinksInTheRevisionRowAndMixedWithATempTable) {
  // 1.39: rev_actor in the revision row, the comment still through its
  // temp table; 1.41: both in the row.
  import(std::string(kActorAndComment) +
         "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
         " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
         "INSERT INTO `revision` VALUES (10,1,0,2,'20230206162947'),(11,1,5,1,'20240101000000');\n"
         "CREATE TABLE `revision_comment_temp` (`revcomment_rev` int, `revcomment_comment_id` bigint);\n"
         "INSERT INTO `revision_comment_temp` VALUES (10,5),(11,6);\n" +
         kTextsThroughContent);
  expect({10, "192.0.2.7", "Created page", "Right ten"});
  expect({11, "Alice", "Created page", "Right eleven"});
}

TEST_F(LinkTables, TheRowsOwnUserAndCommentWin) {
  // 1.31 kept both: the row's own texts stand, empty ones are filled.
  import(std::string(kActorAndComment) +
         "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_text_id` int,"
         " `rev_comment` blob, `rev_user` int, `rev_user_text` varbinary(255),"
         " `rev_timestamp` binary(14), `rev_comment_id` bigint, `rev_actor` bigint);\n"
         "INSERT INTO `revision` VALUES (10,1,30,'Own comment',1,'Own user','20180101000000',5,1),"
         "(11,1,31,'',0,'','20180101000001',5,2);\n" +
         kTextsThroughContent);
  expect({10, "Own user", "Own comment", "Right ten"});
  expect({11, "192.0.2.7", "Created page", "Right eleven"});
}

TEST_F(LinkTables, UnresolvedLinksKeepTheDefaults) {
  import(std::string(kActorAndComment) +
         "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
         " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
         "INSERT INTO `revision` VALUES (10,1,99,98,'20240101000000'),(11,1,0,0,'20240101000001');\n" +
         kTextsThroughContent);
  expect({10, "MediaWiki User", "", "Right ten"});
  expect({11, "MediaWiki User", "", "Right eleven"});
}

TEST_F(LinkTables, ContentAddressDecidesWhichTextASlotHolds) {
  import(
      "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
      " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
      "INSERT INTO `revision` VALUES (10,1,0,0,'1'),(11,1,0,0,'2'),(12,1,0,0,'3'),(13,1,0,0,'4');\n"
      "CREATE TABLE `slots` (`slot_revision_id` bigint, `slot_role_id` int, `slot_content_id` bigint);\n"
      "INSERT INTO `slots` VALUES (10,1,20),(11,1,21),(12,1,22);\n"
      "CREATE TABLE `content` (`content_id` bigint, `content_size` int, `content_sha1` varbinary(32),"
      " `content_model` int, `content_address` varbinary(255));\n"
      "INSERT INTO `content` VALUES (20,1,'',1,'es:DB://cluster1/5'),(21,1,'',1,'tt:'),"
      "(22,1,'',1,'tt:4294967296');\n"
      "INSERT INTO `text` VALUES (10,'by revision id','utf-8'),(20,'by content id','utf-8'),"
      "(21,'by content id','utf-8');\n");
  // External storage, a malformed address, an id past 32 bits, no slot.
  for (uint32_t id : {10u, 11u, 12u, 13u}) expect({id, "MediaWiki User", "", "<none>"});
  // Only the text in an external store is one the dump cannot give.
  EXPECT_EQ(store->undecoded_texts, 1u);
}

TEST_F(LinkTables, TextIdZeroIsReachedThroughTheSlot) {
  // 1.32 to 1.34 keep rev_text_id but write 0 into it.
  import(std::string(
             "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_text_id` int,"
             " `rev_comment_id` bigint, `rev_actor` bigint, `rev_timestamp` binary(14));\n"
             "INSERT INTO `revision` VALUES (10,1,0,0,0,'1'),(11,1,31,0,0,'2');\n") +
         kTextsThroughContent);
  expect({10, "MediaWiki User", "", "Right ten"});
  expect({11, "MediaWiki User", "", "Right eleven"});
}

TEST_F(LinkTables, WithoutAContentTableTheContentIdIsTheTextId) {
  import(
      "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
      " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
      "INSERT INTO `revision` VALUES (10,1,0,0,'1');\n"
      "INSERT INTO `slots` VALUES (10,1,20,10);\n"
      "INSERT INTO `text` VALUES (10,'by revision id','utf-8'),(20,'by content id','utf-8');\n");
  expect({10, "MediaWiki User", "", "by content id"});
}

TEST_F(LinkTables, DeclaredContentTableWithoutTheRowFindsNoText) {
  import(
      "CREATE TABLE `revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint,"
      " `rev_actor` bigint, `rev_timestamp` binary(14));\n"
      "INSERT INTO `revision` VALUES (10,1,0,0,'1');\n"
      "CREATE TABLE `content` (`content_id` bigint, `content_size` int, `content_sha1` varbinary(32),"
      " `content_model` int, `content_address` varbinary(255));\n"
      "INSERT INTO `slots` VALUES (10,1,20,10);\n"
      "INSERT INTO `text` VALUES (20,'by content id','utf-8');\n");
  expect({10, "MediaWiki User", "", "<none>"});
}

}  // namespace
