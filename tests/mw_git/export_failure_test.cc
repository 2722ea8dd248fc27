// How an export ends when git is missing, fails, or is configured against
// it by the user.
#include <filesystem>
#include <string>
#include <vector>

#include "export_fixture.h"

namespace {

using export_testing::ExportTest;
using export_testing::progress_calls;
using export_testing::ProgressCall;
using export_testing::ScopedEnv;
using testing_support::TempDir;
using testing_support::write_file;

TEST_F(ExportTest, FailsWhenGitCannotBeRun) {
  page(1, 0, "P");
  revision(1, 1, "20240101000000", "Ann", "c", "t");
  TempDir empty;
  int rc;
  {
    ScopedEnv path("PATH", empty.path());
    rc = export_all();
  }
  EXPECT_EQ(rc, -1);
  EXPECT_STREQ(err_, "Failed to run git: No such file or directory");
  EXPECT_TRUE(progress_calls().empty());
}

struct LockCase {
  bool branch_lock;  // the current branch's ref, or else the index
  std::string error_start;
};

// A held lock makes one command fail; the export stops there.
TEST_F(ExportTest, StopsAtTheFirstFailingGitCommand) {
  const LockCase cases[] = {
      {false, "git add failed: fatal: Unable to create '"},
      {true, "git commit failed: fatal: cannot lock ref 'HEAD'"},
  };
  int n = 0;
  for (const LockCase &c : cases) {
    SCOPED_TRACE(c.error_start);
    root_ = tmp_ / ("wiki" + std::to_string(n++));
    store_ = new_store(root_);
    page(1, 0, "P");
    page(2, 0, "Q");
    revision(1, 1, "20240101000000", "Ann", "first", "one");
    ASSERT_EQ(export_all(), 0) << err_;

    std::string lock = "index.lock";
    if (c.branch_lock) {
      lock = git({"symbolic-ref", "HEAD"});
      lock.back() = '.';  // the newline
      lock += "lock";
    }
    write_file(root_ + "/.git/" + lock, "");

    store_ = new_store(root_);
    page(1, 0, "P");
    revision(2, 1, "20240102000000", "Ann", "second", "two");
    revision(3, 1, "20240103000000", "Ann", "third", "three");
    progress_calls().clear();
    EXPECT_EQ(export_all(), -1);
    EXPECT_EQ(std::string(err_).rfind(c.error_start, 0), 0u) << err_;
    EXPECT_TRUE(progress_calls().empty());
    std::filesystem::remove(root_ + "/.git/" + lock);
    EXPECT_EQ(log("%s"), (std::vector<std::string>{"first", "Initialize Q"}));
  }
}

// A user's global settings for signing, hooks, line ends, attributes,
// ignore rules, clean-up and encoding must not stop the import or change
// what it records.
TEST_F(ExportTest, UserConfigurationDoesNotChangeWhatIsRecorded) {
  std::string hooks = tmp_ / "hooks";
  std::filesystem::create_directories(hooks);
  for (const char *hook : {"pre-commit", "commit-msg", "prepare-commit-msg", "post-commit"}) {
    std::string path = hooks + "/" + hook;
    write_file(path, "#!/bin/sh\ntouch \"" + tmp_.path() + "/hook-ran\"\nexit 1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  }
  write_file(tmp_ / "ignore", "*.wiki\nTalk/\n");
  write_file(tmp_ / "attributes", "* text eol=crlf filter=upper\n");
  write_file(tmp_ / "gitconfig",
             "[commit]\n\tgpgsign = true\n\tcleanup = strip\n"
             "[gpg]\n\tprogram = false\n"
             "[core]\n\thooksPath = " + hooks + "\n\tautocrlf = true\n\tsafecrlf = true\n"
             "\texcludesFile = " + (tmp_ / "ignore") + "\n"
             "\tattributesFile = " + (tmp_ / "attributes") + "\n"
             "[filter \"upper\"]\n\tclean = tr a-z A-Z\n"
             "[i18n]\n\tcommitEncoding = ISO-8859-1\n");
  page(1, 0, "P");
  page(2, 1, "Q");
  revision(1, 1, "20240101000000", "Ann", "# kept comment", "lower\r\ncase\n");
  revision(2, 2, "20240102000000", "Ann", "talk", "mixed\nends\r\n");
  {
    ScopedEnv global("GIT_CONFIG_GLOBAL", tmp_ / "gitconfig");
    ASSERT_EQ(export_all(), 0) << err_;
  }
  EXPECT_EQ(log("%B"), (std::vector<std::string>{"# kept comment\n", "talk\n"}));
  EXPECT_EQ(blob("HEAD", "P.wiki"), "lower\r\ncase\n");
  EXPECT_EQ(blob("HEAD", "Talk/Q.wiki"), "mixed\nends\r\n");
  EXPECT_EQ(git({"cat-file", "commit", "HEAD"}).find("\nencoding "), std::string::npos);
  EXPECT_EQ(git({"cat-file", "commit", "HEAD"}).find("gpgsig"), std::string::npos);
  EXPECT_FALSE(testing_support::path_exists(tmp_ / "hook-ran"));
}

}  // namespace
