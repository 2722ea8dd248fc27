// The inspection report: its exact text, its defaults, and what makes it
// "{}".
#include <gtest/gtest.h>
#include <yyjson.h>

#include <filesystem>
#include <string>

#include "mw_inspect/inspect.h"
#include "support/test_support.h"

namespace {

using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;

// The report as yyjson's pretty writer lays it out, for a path that needs
// no escaping in JSON.
std::string expected_report(const std::string &path, uint64_t size, const std::string &generator,
                            const std::string &version, const std::string &completed,
                            const uint64_t (&rows)[5]) {
  const char *names[] = {"page", "revision", "text", "slots", "categorylinks"};
  std::string tables;
  for (int i = 0; i < 5; ++i) {
    tables += std::string("        \"") + names[i] + "\": {\n            \"rows\": " +
              std::to_string(rows[i]) + "\n        }" + (i < 4 ? ",\n" : "\n");
  }
  return "{\n"
         "    \"sql_path\": \"" + path + "\",\n"
         "    \"file_size\": " + std::to_string(size) + ",\n"
         "    \"generator\": \"" + generator + "\",\n"
         "    \"mediawiki_version\": \"" + version + "\",\n"
         "    \"dump_timestamp\": \"" + completed + "\",\n"
         "    \"total_pages\": " + std::to_string(rows[0]) + ",\n"
         "    \"total_revisions\": " + std::to_string(rows[1]) + ",\n"
         "    \"total_texts\": " + std::to_string(rows[2]) + ",\n"
         "    \"total_slots\": " + std::to_string(rows[3]) + ",\n"
         "    \"total_categories\": " + std::to_string(rows[4]) + ",\n"
         "    \"tables\": {\n" + tables + "    }\n"
         "}";
}

TEST(InspectReport, SmallDumpGivesTheExactReport) {
  TempDir dir;
  const std::string path = dir / "small_wiki.sql";
  const std::string dump = read_file(std::string(TESSEL_TEST_FIXTURES) + "/small_wiki.sql");
  ASSERT_FALSE(dump.empty());
  write_file(path, dump);
  char err[256] = "";
  const std::string report = mw_inspect_dump(path.c_str(), err, sizeof err);
  EXPECT_STREQ(err, "");
  // The server version line holds a tab, written as \t.
  EXPECT_EQ(report, expected_report(path, dump.size(), "MySQL \\t8.0.36", "MediaWiki 1.31+",
                                    "2024-03-01 12:00:00", {3, 7, 7, 7, 2}));
}

TEST(InspectReport, EachTotalAndEachTableCountTheirOwnRows) {
  TempDir dir;
  const std::string path = dir / "d.sql";
  const std::string dump =
      "INSERT INTO categorylinks VALUES (1,'a'),(2,'b'),(3,'c'),(4,'d'),(5,'e');\n"
      "INSERT INTO slots VALUES (1,1,1,1),(2,1,2,2),(3,1,3,3),(4,1,4,4);\n"
      "INSERT INTO text VALUES (1,'x','utf-8'),(2,'y','utf-8'),(3,'z','utf-8');\n"
      "INSERT INTO revision VALUES (1,1,1),(2,1,2);\n"
      "INSERT INTO page VALUES (1,0,'P');\n";
  write_file(path, dump);
  EXPECT_EQ(std::string(mw_inspect_dump(path.c_str(), nullptr, 0)),
            expected_report(path, dump.size(), "mysqldump", "MediaWiki 1.31+", "",
                            {1, 2, 3, 4, 5}));
}

TEST(InspectReport, DumpWithoutMetadataOrRowsGivesTheDefaults) {
  for (const std::string content : {"", "\n\n  \t\n", "# a hash comment\n/* block */\n"}) {
    SCOPED_TRACE(content);
    TempDir dir;
    const std::string path = dir / "d.sql";
    write_file(path, content);
    char err[256] = "";
    EXPECT_EQ(std::string(mw_inspect_dump(path.c_str(), err, sizeof err)),
              expected_report(path, content.size(), "mysqldump", "unknown", "", {0, 0, 0, 0, 0}));
    EXPECT_STREQ(err, "");
  }
}

TEST(InspectReport, PathIsEscapedAsJsonAndUtf8PassesUnescaped) {
  TempDir dir;
  const std::string path = dir / "back\\slash \"caf\xC3\xA9\".sql";
  write_file(path, "");
  const std::string report = mw_inspect_dump(path.c_str(), nullptr, 0);
  EXPECT_NE(report.find("\"sql_path\": \"" + dir.path() + "/back\\\\slash \\\"caf\xC3\xA9\\\".sql\""),
            std::string::npos)
      << report;
}

TEST(InspectReport, InvalidUtf8GivesAnEmptyObjectWithoutMessage) {
  TempDir dir;
  const std::string bad_path = dir / "latin1-\xE9.sql";
  write_file(bad_path, "");
  const std::string bad_meta = dir / "meta.sql";
  write_file(bad_meta, "-- Server version 5.7-\xFF\xFE\n");
  for (const std::string &path : {bad_path, bad_meta}) {
    SCOPED_TRACE(path);
    char err[64] = "";
    EXPECT_STREQ(mw_inspect_dump(path.c_str(), err, sizeof err), "{}");
    EXPECT_STREQ(err, "");
  }
}

TEST(InspectReport, ReaderFailuresGiveAnEmptyObjectWithTheMessage) {
  TempDir dir;
  char err[256] = "";
  EXPECT_STREQ(mw_inspect_dump(nullptr, err, sizeof err), "{}");
  EXPECT_STREQ(err, "NULL sql_path passed");
  EXPECT_STREQ(mw_inspect_dump((dir / "missing.sql").c_str(), err, sizeof err), "{}");
  EXPECT_EQ(std::string(err), "Failed to open SQL file: " + dir / "missing.sql");
  EXPECT_STREQ(mw_inspect_dump("", err, sizeof err), "{}");
  EXPECT_STREQ(err, "Failed to open SQL file: ");
}

TEST(InspectReport, ANewReportOverwritesTheBufferAndAFailureLeavesIt) {
  TempDir dir;
  write_file(dir / "one.sql", "INSERT INTO page VALUES (1);");
  write_file(dir / "two.sql", "INSERT INTO page VALUES (1),(2);");
  const char *first = mw_inspect_dump((dir / "one.sql").c_str(), nullptr, 0);
  EXPECT_NE(std::string(first).find("\"total_pages\": 1,"), std::string::npos);
  const char *second = mw_inspect_dump((dir / "two.sql").c_str(), nullptr, 0);
  EXPECT_EQ(first, second);
  EXPECT_NE(std::string(first).find("\"total_pages\": 2,"), std::string::npos);
  EXPECT_STREQ(mw_inspect_dump((dir / "missing.sql").c_str(), nullptr, 0), "{}");
  EXPECT_NE(std::string(first).find("\"total_pages\": 2,"), std::string::npos);
}

// The counts of the real dumps beside the project, against the `counts`
// member of each one's truth file.
TEST(InspectReport, RealDumpsReportTheirTrueRowCounts) {
  const std::string folder = testing_support::real_world_dir();
  if (folder.empty()) GTEST_SKIP() << "real-world dumps not found at " << TESSEL_REAL_WORLD_DIR;
  int dumps = 0;
  for (const auto &entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".sql") continue;
    const std::string sql = entry.path().string();
    SCOPED_TRACE(sql);
    ++dumps;
    yyjson_doc *truth = yyjson_read_file((sql + ".truth.json").c_str(), 0, nullptr, nullptr);
    ASSERT_NE(truth, nullptr);
    char err[512] = "";
    const std::string text = mw_inspect_dump(sql.c_str(), err, sizeof err);
    yyjson_doc *report = yyjson_read(text.data(), text.size(), 0);
    ASSERT_NE(report, nullptr) << text << err;
    yyjson_val *counts = yyjson_obj_get(yyjson_doc_get_root(truth), "counts");
    yyjson_val *tables = yyjson_obj_get(yyjson_doc_get_root(report), "tables");
    const struct {
      const char *table, *total;
    } members[] = {{"page", "total_pages"},
                   {"revision", "total_revisions"},
                   {"text", "total_texts"},
                   {"slots", "total_slots"},
                   {"categorylinks", "total_categories"}};
    for (const auto &m : members) {
      ASSERT_TRUE(yyjson_is_uint(yyjson_obj_get(counts, m.table))) << m.table;
      const uint64_t want = yyjson_get_uint(yyjson_obj_get(counts, m.table));
      EXPECT_EQ(yyjson_get_uint(yyjson_obj_get(yyjson_obj_get(tables, m.table), "rows")), want)
          << m.table;
      EXPECT_EQ(yyjson_get_uint(yyjson_obj_get(yyjson_doc_get_root(report), m.total)), want)
          << m.total;
    }
    EXPECT_EQ(yyjson_get_uint(yyjson_obj_get(yyjson_doc_get_root(report), "file_size")),
              std::filesystem::file_size(entry.path()));
    yyjson_doc_free(report);
    yyjson_doc_free(truth);
  }
  EXPECT_GT(dumps, 0);
}

}  // namespace
