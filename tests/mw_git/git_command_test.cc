#include "mw_git/git_command.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using testing_support::TempDir;

std::string run(const std::vector<std::string> &args, int *rc) {
  char err[512] = "untouched";
  *rc = run_git(args, err, sizeof err);
  return err;
}

// A shell alias lets git itself print and exit as each case needs.
TEST(RunGit, NamesTheCommandAndItsFirstErrorLine) {
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"!echo 'fatal: broken' >&2; echo 'second' >&2; exit 2", "git probe failed: fatal: broken"},
      {"!printf 'hint: try this\\n\\nerror: real\\r\\n' >&2; exit 1", "git probe failed: error: real"},
      {"!echo 'hint: only a hint' >&2; exit 1", "git probe failed: hint: only a hint"},
      {"!exit 4", "git probe failed: exit status 4"},
      {"!kill -TERM $PPID", "git probe failed: killed by signal 15"},
      {"!echo \"$GIT_LITERAL_PATHSPECS$GIT_TERMINAL_PROMPT\" >&2; exit 1", "git probe failed: 10"},
  };
  for (const auto &[alias, expected] : cases) {
    int rc = 0;
    EXPECT_EQ(run({"-C", dir.path(), "-c", "alias.probe=" + alias, "probe"}, &rc), expected)
        << alias;
    EXPECT_EQ(rc, -1);
  }
}

TEST(RunGit, DrainsLargeErrorOutputWithoutStalling) {
  TempDir dir;
  int rc = 0;
  std::string err = run({"-C", dir.path(), "-c",
                         "alias.noisy=!head -c 1000000 /dev/zero | tr '\\0' x >&2; exit 3",
                         "noisy"},
                        &rc);
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(err.rfind("git noisy failed: xxxx", 0), 0u);
  EXPECT_EQ(err.size(), 511u);
}

TEST(RunGit, ReportsGitFailureWithItsOwnWords) {
  TempDir dir;
  int rc = 0;
  std::string err = run({"-C", dir.path(), "commit", "-m", "x"}, &rc);
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(err.rfind("git commit failed: fatal: not a git repository", 0), 0u) << err;
}

TEST(RunGit, ReportsMissingGit) {
  TempDir empty;
  std::string saved = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", empty.path().c_str(), 1);
  int rc = 0;
  std::string err = run({"--version"}, &rc);
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(err, "Failed to run git: No such file or directory");
}

}  // namespace
