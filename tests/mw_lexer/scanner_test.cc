// The statement scanner: comments and their metadata, statements it skips,
// the generation inference, and mw_lexer_parse on real files.
#include <gtest/gtest.h>

#include <string>

#include "lexer_test_util.h"
#include "mw_lexer/lexer.h"
#include "mw_lexer/reader.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using lexer_test::scan_text;
using testing_support::TempDir;
using testing_support::write_file;

struct hint_case {
  const char *name;
  std::string comment;  // the text after the two dashes
  std::string dump_timestamp;
  std::string generator;
  std::string mediawiki_version;
};

TEST(CommentHints, TableOfCases) {
  const hint_case cases[] = {
      {"completion time, CR LF", " Dump completed on 2020-01-01 12:00:00\r",
       "2020-01-01 12:00:00", "", ""},
      {"completion time, no blank", "Dump completed on2020-01-01", "2020-01-01", "", ""},
      {"completion time, two blanks", " Dump completed on  2015-11-22  7:02:45",
       "2015-11-22  7:02:45", "", ""},
      {"server version, blank", " Server version 5.7.33", "", "MySQL 5.7.33", ""},
      {"server version, tab stays", " Server version\t10.5.10-MariaDB\r", "",
       "MySQL \t10.5.10-MariaDB", ""},
      {"server version keeps trailing blanks", " Server version 8.0 ", "", "MySQL 8.0 ", ""},
      {"MediaWiki from the word on, trailing blanks cut",
       " Host: db    Database: MediaWiki_db  \r", "", "", "MediaWiki_db"},
      {"mediawiki in small letters is nothing", " Database: mediawiki", "", "", ""},
      {"phrases are case-sensitive", " dump completed on 2020 server version 5", "", "", ""},
      {"one line, several phrases", " MediaWiki 1.35 Server version 8 Dump completed on x",
       "x", "MySQL 8 Dump completed on x", "MediaWiki 1.35 Server version 8 Dump completed on x"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    unique_store store(mw_store_create(nullptr));
    check_comment_hints(store.get(), c.comment.c_str());
    EXPECT_EQ(std::string(store->dump_timestamp), c.dump_timestamp);
    EXPECT_EQ(std::string(store->generator), c.generator);
    EXPECT_EQ(std::string(store->mediawiki_version), c.mediawiki_version);
  }
}

TEST(CommentHints, LongTextsAreCutToTheirFields) {
  unique_store store(mw_store_create(nullptr));
  const std::string version(300, '9');
  check_comment_hints(store.get(), (" Server version " + version).c_str());
  EXPECT_EQ(std::string(store->generator), "MySQL " + version.substr(0, 127 - 6));
  check_comment_hints(store.get(), (" MediaWiki " + version).c_str());
  EXPECT_EQ(std::string(store->mediawiki_version), ("MediaWiki " + version).substr(0, 63));
  check_comment_hints(nullptr, "Server version 1");  // no store: nothing happens
}

TEST(Scanner, OnlyDashCommentsFillMetadataAndTheLaterLineWins) {
  unique_store store(mw_store_create(nullptr));
  scan_text(store.get(),
            "-- Dump completed on 2020-01-01 00:00:00\n"
            "# Server version 1.0\n"
            "/* MediaWiki 1.99, Server version 2.0 */\n"
            "--Dump completed on 2021-02-02 00:00:00\n",
            0);
  EXPECT_STREQ(store->dump_timestamp, "2021-02-02 00:00:00");
  EXPECT_STREQ(store->generator, "");
  EXPECT_STREQ(store->mediawiki_version, "unknown");
}

TEST(Scanner, LongCommentReachesHintsCutAndScanningResumesAfterIt) {
  unique_store store(mw_store_create(nullptr));
  // "MediaWiki" starts at byte 505 of the comment's text, so the cut at 511
  // bytes leaves only "MediaW" of it.
  std::string comment = "--" + std::string(505, 'x') + "MediaWiki 1.40" + std::string(80, 'y');
  scan_text(store.get(), comment + "\nINSERT INTO page VALUES (1);\n", 0);
  EXPECT_STREQ(store->mediawiki_version, "unknown");
  EXPECT_EQ(store->rows_page, 1u);
}

TEST(Scanner, SkippedStatementsDoNotHideTheNextOne) {
  const struct {
    const char *name;
    std::string sql;
  } cases[] = {
      {"conditional comment and a lone semicolon",
       "/*!40101 SET NAMES utf8mb4 */;\nINSERT INTO page VALUES (1);"},
      {"SET with a quoted semicolon", "SET @x = 'a;b';\nINSERT INTO page VALUES (1);"},
      {"byte-order mark", "\xEF\xBB\xBFINSERT INTO page VALUES (1);"},
      {"DROP TABLE and LOCK TABLES",
       "DROP TABLE IF EXISTS `page`;\nLOCK TABLES `page` WRITE;\nINSERT INTO page VALUES (1);\n"
       "UNLOCK TABLES;"},
      {"a single dash and a slash", "- / INSERT INTO page VALUES (1);"},
      {"an empty quoted name", "``;INSERT INTO page VALUES (1);"},
      {"CREATE VIEW", "CREATE VIEW v AS SELECT 'a;b';\nINSERT INTO page VALUES (1);"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    unique_store store(mw_store_create(nullptr));
    scan_text(store.get(), c.sql, 0);
    EXPECT_EQ(store->rows_page, 1u);
  }
}

TEST(Scanner, GenerationIsInferredWhenNoCommentNamesIt) {
  const struct {
    const char *name;
    std::string sql;
    const char *version;
  } cases[] = {
      {"nothing", "", "unknown"},
      {"revision rows only", "INSERT INTO revision VALUES (1,1,1);", "MediaWiki 1.19-1.30"},
      {"slots rows", "INSERT INTO revision VALUES (1,1,1);INSERT INTO slots VALUES (1,1,1,1);",
       "MediaWiki 1.31+"},
      {"rev_comment_id declared, no rows",
       "CREATE TABLE `revision` (`rev_id` int, `rev_comment_id` bigint);", "MediaWiki 1.31+"},
      {"prefixed revision declaring rev_comment_id",
       "CREATE TABLE `mw_revision` (`rev_id` int, `rev_page` int, `rev_comment_id` bigint);"
       "INSERT INTO `mw_revision` VALUES (1,1,5);",
       "MediaWiki 1.31+"},
      {"a comment names it", "-- MediaWiki 1.35.0\nINSERT INTO slots VALUES (1,1,1,1);",
       "MediaWiki 1.35.0"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    unique_store store(mw_store_create(nullptr));
    scan_text(store.get(), c.sql, 0);
    EXPECT_STREQ(store->mediawiki_version, c.version);
  }
}

TEST(LexerParse, EmptyFileScansToNothing) {
  TempDir dir;
  write_file(dir / "empty.sql", "");
  unique_store store(mw_store_create(nullptr));
  char err[128] = "";
  ASSERT_EQ(mw_lexer_parse((dir / "empty.sql").c_str(), store.get(), 0, err, sizeof err), 0);
  EXPECT_STREQ(err, "");
  EXPECT_EQ(store->file_size, 0u);
  EXPECT_EQ(store->rows_page + store->rows_revision + store->rows_text + store->rows_slots +
                store->rows_categorylinks,
            0u);
  EXPECT_STREQ(store->mediawiki_version, "unknown");
}

TEST(LexerParse, RecordsTheFileSizeAndReportsProgress) {
  TempDir dir;
  std::string sql = "-- Dump completed on 2024-03-01 12:00:00\n";
  uint64_t statements = 0;
  for (; sql.size() < 3 * kStreamBlock; ++statements)
    sql += "INSERT INTO page VALUES (1,0,'A');\n";
  write_file(dir / "d.sql", sql);
  unique_store store(mw_store_create(nullptr));
  uint64_t last = 0;
  mw_lexer_hooks hooks;
  hooks.on_block = [](void *ctx, uint64_t n) { *static_cast<uint64_t *>(ctx) = n; };
  hooks.context = &last;
  ASSERT_EQ(mw_lexer_parse((dir / "d.sql").c_str(), store.get(), 0, nullptr, 0, &hooks), 0);
  EXPECT_EQ(store->file_size, sql.size());
  EXPECT_EQ(last, sql.size());
  EXPECT_EQ(store->rows_page, statements);
}

TEST(LexerParse, FileEndingInsideACommentOrLiteralEndsQuietly) {
  for (const char *tail : {"/* never closed", "SET @a = 'never closed", "INSERT INTO page VALUES (1,'x"}) {
    SCOPED_TRACE(tail);
    TempDir dir;
    write_file(dir / "d.sql", std::string("INSERT INTO page VALUES (1);\n") + tail);
    unique_store store(mw_store_create(nullptr));
    char err[128] = "";
    EXPECT_EQ(mw_lexer_parse((dir / "d.sql").c_str(), store.get(), 0, err, sizeof err), 0);
    EXPECT_STREQ(err, "");
    EXPECT_GE(store->rows_page, 1u);
  }
}

TEST(LexerParse, PathsThatCannotBeReadAreReported) {
  TempDir dir;
  const std::string missing = dir / "missing.sql";
  const struct {
    std::string path;
    int result;
    std::string message;
  } cases[] = {
      {missing, -1, "Failed to open SQL file: " + missing},
      {dir.path(), -1, "Failed to open SQL file: " + dir.path()},
      {"", -1, "Failed to open SQL file: "},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.path);
    unique_store store(mw_store_create(nullptr));
    char err[256] = "";
    EXPECT_EQ(mw_lexer_parse(c.path.c_str(), store.get(), 0, err, sizeof err), c.result);
    EXPECT_EQ(std::string(err), c.message);
  }
}

TEST(LexerParse, ReadErrorIsReportedNotTakenForTheEnd) {
  // /proc/self/mem opens but refuses a read at offset 0.
  unique_store store(mw_store_create(nullptr));
  char err[256] = "";
  ASSERT_EQ(mw_lexer_parse("/proc/self/mem", store.get(), 0, err, sizeof err), -1);
  EXPECT_EQ(std::string(err).rfind("Failed to read SQL file: /proc/self/mem (", 0), 0u) << err;
}

TEST(LexerParse, NullArgumentsAndMessageBufferConvention) {
  unique_store store(mw_store_create(nullptr));
  char err[64] = "";
  EXPECT_EQ(mw_lexer_parse(nullptr, store.get(), 0, err, sizeof err), -1);
  EXPECT_STREQ(err, "Invalid arguments");
  EXPECT_EQ(mw_lexer_parse("/x", nullptr, 0, err, sizeof err), -1);
  // A size of 0 or a null buffer writes nothing; a small one cuts.
  char kept[8] = "keep";
  EXPECT_EQ(mw_lexer_parse("/nonexistent/x.sql", store.get(), 0, kept, 0), -1);
  EXPECT_STREQ(kept, "keep");
  EXPECT_EQ(mw_lexer_parse("/nonexistent/x.sql", store.get(), 0, nullptr, 100), -1);
  EXPECT_EQ(mw_lexer_parse("/nonexistent/x.sql", store.get(), 0, kept, sizeof kept), -1);
  EXPECT_STREQ(kept, "Failed ");
}

}  // namespace
