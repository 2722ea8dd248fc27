#include "mw_git/git_names.h"

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct FileNameCase {
  std::string title;
  size_t out_size;
  std::string expected;
};

TEST(SanitizeTitleToFilename, ReplacesNineBytesAndAppendsExtension) {
  const std::string long_title(300, 'x');
  const FileNameCase cases[] = {
      {"Main Page", 256, "Main_Page.wiki"},
      {"a b\"c*d:e<f>g?h\\i|j", 256, "a_b_c_d_e_f_g_h_i_j.wiki"},
      // Control bytes, punctuation and UTF-8 pass unchanged.
      {"%&#'.\x01\x7f\xc3\xa9", 256, "%&#'.\x01\x7f\xc3\xa9.wiki"},
      {"Foo.wiki", 256, "Foo.wiki"},
      {"Foo.WIKI", 256, "Foo.WIKI.wiki"},
      {"", 256, ".wiki"},
      {".wiki", 256, ".wiki"},
      {"Talk/Foo", 256, "Talk/Foo.wiki"},
      {long_title, 256, std::string(248, 'x') + ".wiki"},
      {std::string(243, 'x') + ".wiki" + "yyy", 256, std::string(243, 'x') + ".wiki"},
      {"Anything", 8, ".wiki"},
      {"ab", 10, "ab.wiki"},
  };
  for (const FileNameCase &c : cases) {
    std::vector<char> out(c.out_size, '#');
    sanitize_title_to_filename(c.title.c_str(), out.data(), out.size());
    EXPECT_EQ(std::string(out.data()), c.expected) << "title " << c.title;
    EXPECT_LE(strlen(out.data()), c.out_size - 3);
  }
}

TEST(SanitizeTitleToFilename, LeavesBufferUntouchedWhenItCannotWrite) {
  char out[16];
  memset(out, '#', sizeof out);
  sanitize_title_to_filename("Foo", out, 7);
  sanitize_title_to_filename(nullptr, out, sizeof out);
  sanitize_title_to_filename("Foo", nullptr, sizeof out);
  for (char c : out) EXPECT_EQ(c, '#');
}

TEST(NamespaceDirectory, NamesTheFifteenAndNumbersTheRest) {
  const std::pair<int32_t, std::string> cases[] = {
      {0, ""},
      {1, "Talk"},
      {2, "User"},
      {3, "User_talk"},
      {4, "Project"},
      {5, "Project_talk"},
      {6, "File"},
      {7, "File_talk"},
      {8, "MediaWiki"},
      {9, "MediaWiki_talk"},
      {10, "Template"},
      {11, "Template_talk"},
      {12, "Help"},
      {13, "Help_talk"},
      {14, "Category"},
      {15, "Category_talk"},
      {16, "Namespace_16"},
      {-1, "Namespace_-1"},
      {-2, "Namespace_-2"},
      {INT32_MIN, "Namespace_-2147483648"},
  };
  for (const auto &[ns, expected] : cases) EXPECT_EQ(namespace_directory(ns), expected) << ns;
}

struct PathCase {
  int32_t ns;
  std::string title;
  std::string expected;
};

TEST(PageFilePath, PlacesNamespacesAndSubpagesInDirectories) {
  const PathCase cases[] = {
      {0, "Foo", "Foo.wiki"},
      {1, "Foo", "Talk/Foo.wiki"},
      {-1, "Foo", "Namespace_-1/Foo.wiki"},
      {1, "Foo/Archive 1", "Talk/Foo/Archive_1.wiki"},
      {0, "a/b/c", "a/b/c.wiki"},
      {0, "a/", "a/.wiki"},
      {0, "..", "...wiki"},
  };
  for (const PathCase &c : cases)
    EXPECT_EQ(page_file_path(c.ns, c.title.c_str()), c.expected) << c.title;
  EXPECT_EQ(page_file_path(0, nullptr), ".wiki");
}

TEST(PageFilePath, RewritesDirectoriesThatWouldEscapeOrClash) {
  const PathCase cases[] = {
      {0, "a//b", "a/_/b.wiki"},
      {0, "/a", "_/a.wiki"},
      {0, "./x", "_./x.wiki"},
      {0, "../x", "_../x.wiki"},
      {0, "a/../../x", "a/_../_../x.wiki"},
      {1, "../../x", "Talk/_../_../x.wiki"},
      {0, ".git/config", "_.git/config.wiki"},
      {0, ".GiT/x", "_.GiT/x.wiki"},
      {0, ".git./x", "_.git./x.wiki"},
      {0, "GIT~1/x", "_GIT~1/x.wiki"},
      {0, ".gitx/x", ".gitx/x.wiki"},
      // Already escaped-looking parts get one more '_'.
      {0, "_/x", "__/x.wiki"},
      {0, "_../x", "__../x.wiki"},
      {0, "__.git/x", "___.git/x.wiki"},
      // A directory never takes a page file's name.
      {0, "A.wiki/B", "A.wiki_/B.wiki"},
      {0, "A.wiki_/B", "A.wiki__/B.wiki"},
      // In the root of namespace 0, namespace and work directories are kept.
      {0, "Talk/Foo", "Talk_/Foo.wiki"},
      {0, "Talk_/Foo", "Talk__/Foo.wiki"},
      {0, "Namespace_-1/x", "Namespace_-1_/x.wiki"},
      {0, ".tessel_tmp/commit_msg.txt", ".tessel_tmp_/commit_msg.txt.wiki"},
      {1, "Talk/Foo", "Talk/Talk/Foo.wiki"},
      {0, "Namespace_/x", "Namespace_/x.wiki"},
  };
  for (const PathCase &c : cases)
    EXPECT_EQ(page_file_path(c.ns, c.title.c_str()), c.expected) << c.title;
}

std::vector<std::string> parts_of(const std::string &path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = path.find('/', start)) != std::string::npos; start = end + 1)
    parts.push_back(path.substr(start, end - start));
  parts.push_back(path.substr(start));
  return parts;
}

// Distinct paths, no path that is another's directory, no part that could
// leave the root: what git and the file system need of a page's file.
void expect_safe_and_distinct(const std::vector<std::pair<int32_t, std::string>> &pages) {
  std::set<std::string> paths, directories;
  for (const auto &[ns, title] : pages) {
    std::string path = page_file_path(ns, title.c_str());
    EXPECT_TRUE(paths.insert(path).second) << "shared path " << path;
    std::string dir;
    for (const std::string &part : parts_of(path)) {
      EXPECT_FALSE(part.empty() || part == "." || part == "..") << path;
      EXPECT_LE(part.size(), static_cast<size_t>(NAME_MAX)) << path;
      if (!dir.empty()) directories.insert(dir);
      dir += (dir.empty() ? "" : "/") + part;
    }
  }
  for (const std::string &d : directories) EXPECT_EQ(paths.count(d), 0u) << d;
}

TEST(PageFilePath, EveryShortTitleGetsItsOwnSafePath) {
  // All titles of up to six bytes over '.', '/', '_' and 'a'.
  std::vector<std::pair<int32_t, std::string>> pages = {{0, ""}};
  for (size_t from = 0; pages.back().second.size() < 6;) {
    size_t to = pages.size();
    for (size_t i = from; i < to; ++i)
      for (char c : {'.', '/', '_', 'a'}) pages.emplace_back(0, pages[i].second + c);
    from = to;
  }
  ASSERT_EQ(pages.size(), 5461u);
  expect_safe_and_distinct(pages);
}

TEST(PageFilePath, NamespaceAndWorkDirectoriesNeverClashWithPages) {
  expect_safe_and_distinct({{0, "A"}, {0, "A.wiki/B"}, {0, "A.wiki_/B"},
                            {0, "Talk"}, {0, "Talk/Foo"}, {1, "Foo"},
                            {0, "Talk_/Foo"}, {-1, "x"}, {0, "Namespace_-1/x"},
                            {0, ".tessel_tmp/x"}, {0, ".tessel_tmp_/x"}});
  EXPECT_NE(page_file_path(0, ".tessel_tmp/x").rfind(".tessel_tmp/", 0), 0u);
}

}  // namespace
