// Where an export writes: titles that a shell, a pathspec or a path would
// misread, namespaces and subpages, and links planted in the repository.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "export_fixture.h"

namespace {

using export_testing::ExportTest;
using export_testing::ScopedEnv;
using testing_support::path_exists;
using testing_support::read_file;
using testing_support::write_file;

std::set<std::string> split_nul(const std::string &s) {
  std::set<std::string> out;
  size_t start = 0;
  for (size_t end; (end = s.find('\0', start)) != std::string::npos; start = end + 1)
    out.insert(s.substr(start, end - start));
  return out;
}

std::set<std::string> entries_of(const std::string &dir) {
  std::set<std::string> names;
  for (const auto &e : std::filesystem::directory_iterator(dir))
    names.insert(e.path().filename().string());
  return names;
}

struct TitleCase {
  int32_t ns;
  std::string title;
  std::string path;
};

TEST_F(ExportTest, EveryTitleReachesGitLiterallyAndStaysInTheRoot) {
  const std::vector<TitleCase> cases = {
      {0, "$(touch pwned)", "$(touch_pwned).wiki"},
      {0, "`touch pwned2`", "`touch_pwned2`.wiki"},
      {0, "a;b|c&d>e", "a;b_c&d_e.wiki"},
      {0, "say \"hi\" 'there'", "say__hi__'there'.wiki"},
      {0, "new\nline", "new\nline.wiki"},
      {0, "[ab]", "[ab].wiki"},
      {0, "-n", "-n.wiki"},
      {0, "--force", "--force.wiki"},
      {0, "Foo", "Foo.wiki"},
      {1, "Foo", "Talk/Foo.wiki"},
      {1, "Foo/Archive 1", "Talk/Foo/Archive_1.wiki"},
      {0, "Talk/Foo", "Talk_/Foo.wiki"},
      {-1, "Special", "Namespace_-1/Special.wiki"},
      {0, "../escape", "_../escape.wiki"},
      {0, "a//b/./c", "a/_/b/_./c.wiki"},
      {0, ".git/config", "_.git/config.wiki"},
      {0, ".GIT/hooks/pre-commit", "_.GIT/hooks/pre-commit.wiki"},
  };
  std::set<std::string> expected;
  uint32_t id = 1;
  for (const TitleCase &c : cases) {
    page(id, c.ns, c.title);
    revision(id, id, "20240101000000", "$(touch pwned3) `id`", "'; rm -rf \"$HOME\" #",
             "text " + std::to_string(id));
    expected.insert(c.path);
    ++id;
  }
  page(id, 0, "quiet $(touch pwned4) \"x\"");
  expected.insert("quiet_$(touch_pwned4)__x_.wiki");

  ASSERT_EQ(export_all(), 0) << err_;
  EXPECT_EQ(split_nul(git({"ls-files", "-z"})), expected);
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(blob("HEAD", cases[i].path), "text " + std::to_string(i + 1)) << cases[i].path;
  std::vector<std::string> subjects = log("%an|%B");
  ASSERT_EQ(subjects.size(), cases.size() + 1);
  EXPECT_EQ(subjects[0], "$(touch pwned3) `id`|'; rm -rf \"$HOME\" #\n");
  EXPECT_EQ(subjects.back(),
            "$(touch pwned3) `id`|Initialize quiet $(touch pwned4) \"x\"\n");
  // Nothing ran, nothing landed beside the root, the repository is intact.
  EXPECT_EQ(entries_of(tmp_.path()), std::set<std::string>{"wiki"});
  for (const char *f : {"pwned", "pwned2", "pwned3", "pwned4"}) {
    EXPECT_FALSE(path_exists(root_ + "/" + f)) << f;
    EXPECT_FALSE(path_exists(f)) << f;
  }
  EXPECT_EQ(git({"config", "user.name"}), "MediaWiki Importer\n");
}

// A host started from a git hook carries GIT_DIR and friends; they must not
// send the import into another repository.
TEST_F(ExportTest, IgnoresRepositoryVariablesOfTheHost) {
  std::string other = tmp_ / "other";
  page(1, 0, "[ab]");
  revision(1, 1, "20240101000000", "Ann", "kept here", "t");
  {
    ScopedEnv dir("GIT_DIR", other + "/.git");
    ScopedEnv tree("GIT_WORK_TREE", other);
    ScopedEnv index("GIT_INDEX_FILE", other + "/index");
    ScopedEnv glob("GIT_GLOB_PATHSPECS", "1");
    ASSERT_EQ(export_all(), 0) << err_;
  }
  EXPECT_EQ(log("%s"), std::vector<std::string>{"kept here"});
  EXPECT_FALSE(path_exists(other));
}

enum class Plant { kFileLink, kMessageLink, kDirectoryLink, kSubdirectoryLink, kFifo };

struct PlantCase {
  Plant plant;
  int32_t ns;
  std::string title;
  std::string error;  // the end of the message
};

// Whatever sits at the path, the export neither writes through it nor
// stalls on it: it stops and names the path.
TEST_F(ExportTest, NeverWritesThroughAPlantedLink) {
  const PlantCase cases[] = {
      {Plant::kFileLink, 0, "Foo", "/Foo.wiki: Too many levels of symbolic links"},
      {Plant::kMessageLink, 0, "Foo",
       "/.tessel_tmp/commit_msg.txt: Too many levels of symbolic links"},
      {Plant::kDirectoryLink, 1, "Foo", "/Talk/Foo.wiki: Not a directory"},
      {Plant::kSubdirectoryLink, 1, "Foo/Bar", "/Talk/Foo/Bar.wiki: Not a directory"},
      {Plant::kFifo, 0, "Foo", "/Foo.wiki: No such device or address"},
  };
  int n = 0;
  for (const PlantCase &c : cases) {
    SCOPED_TRACE(n);
    std::string root = tmp_ / ("wiki" + std::to_string(n));
    std::string outside = tmp_ / ("outside" + std::to_string(n));
    std::filesystem::create_directories(outside);
    write_file(outside + "/Foo.wiki", "keep");
    write_file(outside + "/Bar.wiki", "keep");
    write_file(outside + "/commit_msg.txt", "keep");
    store_ = new_store(root);  // makes root/.tessel_tmp
    page(1, c.ns, c.title);
    revision(1, 1, "20240101000000", "Ann", "c", "new text");
    switch (c.plant) {
      case Plant::kFileLink:
        ASSERT_EQ(symlink((outside + "/Foo.wiki").c_str(), (root + "/Foo.wiki").c_str()), 0);
        break;
      case Plant::kMessageLink:
        ASSERT_EQ(symlink((outside + "/commit_msg.txt").c_str(),
                          (root + "/.tessel_tmp/commit_msg.txt").c_str()),
                  0);
        break;
      case Plant::kDirectoryLink:
        ASSERT_EQ(symlink(outside.c_str(), (root + "/Talk").c_str()), 0);
        break;
      case Plant::kSubdirectoryLink:
        std::filesystem::create_directories(root + "/Talk");
        ASSERT_EQ(symlink(outside.c_str(), (root + "/Talk/Foo").c_str()), 0);
        break;
      case Plant::kFifo:
        ASSERT_EQ(mkfifo((root + "/Foo.wiki").c_str(), 0666), 0);
        break;
    }
    EXPECT_EQ(export_to(root), -1);
    EXPECT_EQ(std::string(err_), "Cannot write " + root + c.error);
    EXPECT_EQ(entries_of(outside),
              (std::set<std::string>{"Bar.wiki", "Foo.wiki", "commit_msg.txt"}));
    for (const char *f : {"/Foo.wiki", "/Bar.wiki", "/commit_msg.txt"})
      EXPECT_EQ(read_file(outside + f), "keep") << f;
    ++n;
  }
}

}  // namespace
