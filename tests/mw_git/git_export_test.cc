// What an export records: commits, their order, identities, dates,
// messages, file contents and the progress reports.
#include <unistd.h>

#include <string>
#include <vector>

#include "export_fixture.h"

namespace {

using export_testing::ExportTest;
using export_testing::progress_calls;
using export_testing::ProgressCall;
using export_testing::ScopedEnv;
using testing_support::path_exists;
using testing_support::read_file;

TEST_F(ExportTest, CommitsRevisionsInTimestampThenIdOrder) {
  page(1, 0, "Alpha");
  page(2, 0, "Beta");
  revision(30, 2, "20240103000000", "Carol", "b2", "beta two");
  revision(7, 1, "20240102000000", "Bob", "a3", "alpha three");
  revision(5, 1, "20240102000000", "Bob", "a2", "alpha two");
  revision(9, 2, "20240101000000", "Ann", "b1", "beta one");
  ASSERT_EQ(export_all(), 0) << err_;

  EXPECT_EQ(log("%s"), (std::vector<std::string>{"b1", "a2", "a3", "b2"}));
  EXPECT_EQ(blob("HEAD~2", "Alpha.wiki"), "alpha two");
  EXPECT_EQ(blob("HEAD", "Alpha.wiki"), "alpha three");
  EXPECT_EQ(read_file(root_ + "/Beta.wiki"), "beta two");
  EXPECT_EQ(progress_calls(), (std::vector<ProgressCall>{
                                  {1, 1, "Beta"}, {2, 2, "Alpha"},
                                  {2, 3, "Alpha"}, {2, 4, "Beta"}}));
}

TEST_F(ExportTest, RecordsEveryRevisionEvenWithoutChange) {
  page(1, 0, "Same");
  revision(1, 1, "20240101000000", "Ann", "one", "text");
  revision(2, 1, "20240102000000", "Ann", "two", "text");
  revision(3, 99, "20240103000000", "Ann", "", "orphan");
  ASSERT_EQ(export_all(), 0) << err_;
  EXPECT_EQ(log("%s"), (std::vector<std::string>{"one", "two", "Unknown_Page (revision 3)"}));
  EXPECT_EQ(blob("HEAD", "Unknown_Page.wiki"), "orphan");
}

TEST_F(ExportTest, InitializesPagesNoRevisionTouched) {
  page(1, 0, "Touched");
  page(2, 0, "Quiet one");
  page(3, 1, "Quiet two");
  revision(1, 1, "20240101000000", "Ann", "edit", "text");
  ASSERT_EQ(export_all(), 0) << err_;

  EXPECT_EQ(log("%s|%an|%aI"),
            (std::vector<std::string>{
                "edit|Ann|2024-01-01T00:00:00+00:00",
                // The second pass takes the identity the first one left.
                "Initialize Quiet one|Ann|2024-01-01T00:00:00+00:00",
                "Initialize Quiet two|Ann|2024-01-01T00:00:00+00:00"}));
  EXPECT_EQ(git({"ls-files"}), "Quiet_one.wiki\nTalk/Quiet_two.wiki\nTouched.wiki\n");
  EXPECT_EQ(blob("HEAD", "Quiet_one.wiki"), "");
  EXPECT_EQ(progress_calls(), (std::vector<ProgressCall>{
                                  {1, 1, "Touched"}, {2, 1, "Quiet one"}, {3, 1, "Quiet two"}}));
}

TEST_F(ExportTest, PagesWithoutAnyRevisionCommitAsTheImporter) {
  page(1, 0, "A");
  page(2, 0, "B");
  ASSERT_EQ(export_to(root_, nullptr), 0) << err_;
  EXPECT_EQ(log("%s|%an <%ae>|%cn <%ce>"),
            (std::vector<std::string>{
                "Initialize A|MediaWiki Importer <importer@wiki.invalid>|"
                "MediaWiki Importer <importer@wiki.invalid>",
                "Initialize B|MediaWiki Importer <importer@wiki.invalid>|"
                "MediaWiki Importer <importer@wiki.invalid>"}));
  EXPECT_EQ(getenv("GIT_AUTHOR_NAME"), nullptr);
}

// git reads a date without a zone as local time; the export must not.
TEST_F(ExportTest, RecordsUtcAuthorsAndDatesInAnyZone) {
  page(1, 0, "P");
  revision(1, 1, "20240131235959", " Bob. ", "first", "x");
  revision(2, 1, "20240201000000", "...", "second", "y");
  revision(3, 1, "20241399000000", "J\xc3\xb6rg <j@x>", "third", "z");
  {
    ScopedEnv zone("TZ", "Asia/Tokyo");
    ASSERT_EQ(export_all(), 0) << err_;
  }
  EXPECT_EQ(log("%an|%ae|%cn|%ce|%aI|%cI|%at"),
            (std::vector<std::string>{
                "Bob|Bob@wiki.invalid|Bob|importer@wiki.invalid|"
                "2024-01-31T23:59:59+00:00|2024-01-31T23:59:59+00:00|1706745599",
                "MediaWiki User|MediaWikiUser@wiki.invalid|MediaWiki User|importer@wiki.invalid|"
                "2024-02-01T00:00:00+00:00|2024-02-01T00:00:00+00:00|1706745600",
                "J\xc3\xb6rg j@x|Jrgjx@wiki.invalid|J\xc3\xb6rg j@x|importer@wiki.invalid|"
                "2020-01-01T00:00:00+00:00|2020-01-01T00:00:00+00:00|1577836800"}));
  // The last revision's identity stays in the environment.
  EXPECT_STREQ(getenv("GIT_AUTHOR_NAME"), "J\xc3\xb6rg j@x");
  EXPECT_STREQ(getenv("GIT_COMMITTER_DATE"), "2020-01-01T00:00:00+0000");
}

TEST_F(ExportTest, UsesCommentOrTitleAndRevisionAsMessage) {
  page(1, 0, "Main Page: intro");
  const char *comments[] = {"Fixed typo", "", " \t\n ", "# not a comment line",
                            "two\n\n\nparagraphs  "};
  uint32_t id = 1;
  for (const char *c : comments) revision(id++, 1, "20240101000000", "Ann", c, "t");
  ASSERT_EQ(export_all(), 0) << err_;
  EXPECT_EQ(log("%B"), (std::vector<std::string>{
                           "Fixed typo\n", "Main Page: intro (revision 2)\n",
                           "Main Page: intro (revision 3)\n", "# not a comment line\n",
                           "two\n\nparagraphs\n"}));
}

TEST_F(ExportTest, StoresTextsByteForByte) {
  const std::string texts[] = {
      std::string("nul\0in\0the middle", 17),
      "crlf\r\nlines\r\n",
      "back\\slash \\n not a newline",
      "UTF-8: \xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e \xc3\xa9\xf0\x9f\x98\x80",
      "no newline at the end",
      "",
  };
  uint32_t id = 1;
  for (const std::string &t : texts) {
    page(id, 0, "Page " + std::to_string(id));
    revision(id, id, "20240101000000", "Ann", "c", t);
    ++id;
  }
  ASSERT_EQ(export_all(), 0) << err_;
  for (uint32_t i = 1; i < id; ++i) {
    std::string file = "Page_" + std::to_string(i) + ".wiki";
    EXPECT_EQ(blob("HEAD", file), texts[i - 1]) << file;
    EXPECT_EQ(read_file(root_ + "/" + file), texts[i - 1]) << file;
  }
}

TEST_F(ExportTest, SecondExportAddsItsCommitsAfterTheFirst) {
  page(1, 0, "P");
  revision(1, 1, "20240101000000", "Ann", "first import", "old");
  ASSERT_EQ(export_all(), 0) << err_;

  store_ = new_store(root_);
  page(1, 0, "P");
  page(2, 0, "Q");
  revision(2, 1, "20230101000000", "Bob", "second import", "new");
  ASSERT_EQ(export_all(), 0) << err_;
  EXPECT_EQ(log("%s"),
            (std::vector<std::string>{"first import", "second import", "Initialize Q"}));
  EXPECT_EQ(blob("HEAD", "P.wiki"), "new");
  EXPECT_EQ(git({"config", "user.email"}), "importer@wiki.invalid\n");
}

TEST_F(ExportTest, CleansUpTheMessageFileAndKeepsTheWorkDirectory) {
  page(1, 0, "P");
  revision(1, 1, "20240101000000", "Ann", "c", "t");
  ASSERT_EQ(export_all(), 0) << err_;
  EXPECT_FALSE(path_exists(root_ + "/.tessel_tmp/commit_msg.txt"));
  EXPECT_TRUE(path_exists(root_ + "/.tessel_tmp"));
  EXPECT_EQ(git({"status", "--porcelain", "--untracked-files=no"}), "");
  EXPECT_EQ(git({"ls-files", ".tessel_tmp"}), "");
}

// git reads -F relative to the root it runs in, not to our directory.
TEST_F(ExportTest, WorksWithARelativeRoot) {
  page(1, 0, "P");
  revision(1, 1, "20240101000000", "Ann", "relative", "t");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(tmp_.path().c_str()), 0);
  int rc = export_to("wiki");
  ASSERT_EQ(chdir(cwd), 0);
  ASSERT_EQ(rc, 0) << err_;
  EXPECT_EQ(log("%s"), std::vector<std::string>{"relative"});
}

TEST_F(ExportTest, RejectsNullArguments) {
  char err[64] = "";
  EXPECT_EQ(mw_git_export(nullptr, root_.c_str(), nullptr, err, sizeof err), -1);
  EXPECT_STREQ(err, "Invalid parameters to mw_git_export");
  err[0] = '\0';
  EXPECT_EQ(mw_git_export(store_.get(), nullptr, nullptr, err, sizeof err), -1);
  EXPECT_STREQ(err, "Invalid parameters to mw_git_export");
  EXPECT_EQ(mw_git_export(store_.get(), nullptr, nullptr, nullptr, 0), -1);
  EXPECT_FALSE(path_exists(root_ + "/.git"));
}

}  // namespace
