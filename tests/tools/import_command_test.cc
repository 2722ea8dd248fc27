// The import as seen from a script: standard output and error are files.
#include <gtest/gtest.h>

#include <regex>

#include "support/test_support.h"
#include "tools/tool_runs.h"

namespace {

using testing_support::TempDir;

// The number after "NAME:" on a line of the summary, or -1.
long summary_figure(const std::string &summary, const std::string &name) {
  std::smatch m;
  if (!std::regex_search(summary, m, std::regex("\n  " + name + ": +([0-9,]+)\n"))) return -1;
  std::string digits = m[1];
  std::erase(digits, ',');
  return std::stol(digits);
}

TEST(ImportCommand, ImportsAndSummarisesWhatItCommitted) {
  TempDir dir;
  const std::string wiki = dir / "nested/wiki";
  const auto r = run_tool({"import", sample_dump(), wiki});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.err, "");  // not a terminal: no progress
  EXPECT_EQ(r.out.rfind("Imported " + sample_dump() + " into " + wiki + "\n", 0), 0u) << r.out;
  EXPECT_EQ(summary_figure(r.out, "pages"), sample_total("total_pages"));
  EXPECT_EQ(summary_figure(r.out, "revisions"), sample_total("total_revisions"));
  EXPECT_EQ(summary_figure(r.out, "commits"), commit_count(wiki));
  EXPECT_TRUE(std::regex_search(r.out, std::regex("\n  time taken: +[0-9.]+ s\n$"))) << r.out;
  EXPECT_FALSE(contains(r.out, "decoded"));
}

TEST(ImportCommand, SummaryCountsTextsThatCouldNotBeDecoded) {
  TempDir dir;
  std::string dump = testing_support::read_file(sample_dump());
  const std::string plain_last_text = "----','utf-8');";
  const size_t at = dump.find(plain_last_text);
  ASSERT_NE(at, std::string::npos);
  // Flagged as compressed, but the bytes are not DEFLATE data.
  dump.replace(at, plain_last_text.size(), "----','utf-8,gzip');");
  testing_support::write_file(dir / "dump.sql", dump);
  const auto r = run_tool({"import", dir / "dump.sql", dir / "wiki"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "\n  texts that could not be decoded: 1 ("));
}

TEST(ImportCommand, QuietPrintsNothingButStillImports) {
  TempDir dir;
  const auto r = run_tool({"import", "--quiet", "--progress=tty", sample_dump(), dir / "wiki"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_GT(commit_count(dir / "wiki"), 0);
}

TEST(ImportCommand, PlainProgressIsWholeLinesWithoutTerminalControls) {
  TempDir dir;
  const auto r = run_tool({"import", "--progress=plain", sample_dump(), dir / "wiki"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.err, std::regex("^Reading ([0-9.]+ kB) of \\1 \\(100%\\)")))
      << r.err;
  EXPECT_TRUE(contains(r.err, "\nRevision 0 of " +
                                  std::to_string(sample_total("total_revisions")) + " (0%)\n"));
  EXPECT_EQ(r.err.back(), '\n');
  EXPECT_EQ(r.err.find_first_of("\r\033"), std::string::npos) << r.err;
  EXPECT_TRUE(contains(r.out, "Imported "));
}

TEST(ImportCommand, MissingDumpFailsWithTheLibrarysMessageAndNoSummary) {
  TempDir dir;
  const auto r = run_tool({"import", dir / "missing.sql", dir / "wiki"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "tessel: Failed to open SQL file: " + (dir / "missing.sql") + "\n");
}

}  // namespace
