// Real mysqldump output of MediaWiki databases, from 1.25 to 1.41, imported
// through the public interface: every revision must come out as the wiki had
// it (author, date, message, text), as the truth file beside each dump says.
#include <yyjson.h>

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "tessel.h"

namespace {

using testing_support::git_out;
using testing_support::TempDir;

std::vector<std::string> real_world_dumps(const std::string &dir) {
  std::vector<std::string> dumps;
  if (DIR *d = opendir(dir.c_str())) {
    while (dirent *e = readdir(d)) {
      std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".sql") == 0)
        dumps.push_back(dir + "/" + name);
    }
    closedir(d);
  }
  std::sort(dumps.begin(), dumps.end());
  return dumps;
}

std::vector<std::string> split(const std::string &text, char sep) {
  std::vector<std::string> parts;
  std::stringstream ss(text);
  for (std::string part; std::getline(ss, part, sep);) parts.push_back(part);
  return parts;
}

std::string str(yyjson_val *obj, const char *key) {
  const char *s = yyjson_get_str(yyjson_obj_get(obj, key));
  return s ? s : "";
}

TEST(RealWorldDumps, EveryRevisionImportsWithItsAuthorDateMessageAndText) {
  const std::string dir = testing_support::real_world_dir();
  if (dir.empty())
    GTEST_SKIP() << "real-world dumps not found at " << TESSEL_REAL_WORLD_DIR;
  const std::vector<std::string> dumps = real_world_dumps(dir);
  ASSERT_FALSE(dumps.empty());
  for (const std::string &dump : dumps) {
    SCOPED_TRACE(dump);
    yyjson_doc *truth = yyjson_read_file((dump + ".truth.json").c_str(), 0, nullptr, nullptr);
    ASSERT_NE(truth, nullptr);
    yyjson_val *revisions = yyjson_obj_get(yyjson_doc_get_root(truth), "revisions");

    TempDir tmp;
    const std::string root = tmp / "wiki";
    ASSERT_EQ(tessel_import_file(dump.c_str(), root.c_str(), nullptr), 0)
        << tessel_last_error();
    const std::vector<std::string> commits =
        split(git_out(root, {"log", "--reverse", "--date=format-local:%Y%m%d%H%M%S",
                             "--format=%H%x1f%an%x1f%cn%x1f%ad%x1f%s"},
                      {"TZ=UTC"}),
              '\n');
    ASSERT_GE(commits.size(), yyjson_arr_size(revisions));

    size_t i = 0;
    yyjson_val *rev;
    yyjson_arr_iter it = yyjson_arr_iter_with(revisions);
    while ((rev = yyjson_arr_iter_next(&it)) != nullptr) {
      SCOPED_TRACE("revision " + std::to_string(yyjson_get_uint(yyjson_obj_get(rev, "rev_id"))));
      const std::vector<std::string> c = split(commits[i++], '\x1f');
      ASSERT_EQ(c.size(), 5u);
      EXPECT_EQ(c[1], str(rev, "user"));
      EXPECT_EQ(c[2], str(rev, "user"));
      EXPECT_EQ(c[3], str(rev, "timestamp"));
      const std::string comment = str(rev, "comment");
      if (!comment.empty()) {
        EXPECT_EQ(c[4], comment);
      } else {
        EXPECT_NE(c[4].find("(revision "), std::string::npos) << c[4];
      }
      EXPECT_NE(git_out(root, {"ls-tree", "-r", c[0]}).find(str(rev, "blob")),
                std::string::npos);
    }
    yyjson_doc_free(truth);
  }
}

}  // namespace
