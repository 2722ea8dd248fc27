// The four exported functions: argument checks, the last-error text, the
// shared library's symbol table and the header used from C.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "support/test_support.h"
#include "tessel.h"

extern "C" int c_header_exercise(const char *missing_dump, const char *dump);

namespace {

using testing_support::path_exists;
using testing_support::TempDir;

const std::string kFixture = std::string(TESSEL_TEST_FIXTURES) + "/small_wiki.sql";

TEST(LibraryInterface, FreshlyLoadedLibraryStartsWithAnEmptyLastError) {
  // A library of its own, with its static buffers as they are at load.
  void *lib = dlopen(TESSEL_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  using text_fn = const char *(*)();
  using inspect_fn = const char *(*)(const char *);
  auto last_error = reinterpret_cast<text_fn>(dlsym(lib, "tessel_last_error"));
  auto version = reinterpret_cast<text_fn>(dlsym(lib, "tessel_version"));
  auto inspect = reinterpret_cast<inspect_fn>(dlsym(lib, "tessel_inspect_dump_json"));
  ASSERT_TRUE(last_error && version && inspect);
  ASSERT_NE(last_error(), nullptr);
  EXPECT_STREQ(last_error(), "");
  EXPECT_STREQ(version(), "1.0.0");
  EXPECT_STREQ(inspect("/nonexistent/dump.sql"), "{}");
  EXPECT_STREQ(last_error(), "Failed to open SQL file: /nonexistent/dump.sql");
  EXPECT_STREQ(version(), "1.0.0");  // leaves the message alone
  EXPECT_STREQ(last_error(), "Failed to open SQL file: /nonexistent/dump.sql");
  EXPECT_NE(std::string(inspect(kFixture.c_str())).find("\"total_revisions\": 7,"),
            std::string::npos);
  EXPECT_STREQ(last_error(), "");
  dlclose(lib);
}

TEST(LibraryInterface, ExportsExactlyTheFourFunctions) {
  const auto nm = testing_support::run_command({"nm", "-D", "--defined-only", TESSEL_SHARED_LIBRARY});
  ASSERT_EQ(nm.exit_code, 0) << nm.err;
  std::set<std::string> names;
  std::istringstream lines(nm.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string address, type, name;
    fields >> address >> type >> name;
    if (!name.empty()) names.insert(name + " " + type);
  }
  EXPECT_EQ(names, (std::set<std::string>{"tessel_import_file T", "tessel_inspect_dump_json T",
                                          "tessel_last_error T", "tessel_version T"}));
}

TEST(LibraryInterface, HeaderWorksFromC) {
  TempDir dir;
  EXPECT_EQ(c_header_exercise((dir / "missing.sql").c_str(), kFixture.c_str()), 0);
}

TEST(LibraryInterface, VersionIsOneConstant) {
  EXPECT_STREQ(tessel_version(), "1.0.0");
  EXPECT_EQ(tessel_version(), tessel_version());
}

TEST(LibraryInterface, InspectionArgumentsAndMessages) {
  TempDir dir;
  const std::string missing = dir / "missing.sql";
  const std::string long_path = "/" + std::string(2999, 'p');
  const struct {
    const char *path;
    std::string message;
  } cases[] = {
      {nullptr, "sql_path cannot be NULL or empty"},
      {"", "sql_path cannot be NULL or empty"},
      {missing.c_str(), "Failed to open SQL file: " + missing},
      {long_path.c_str(), ("Failed to open SQL file: " + long_path).substr(0, 2047)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.path ? c.path : "(null)");
    EXPECT_STREQ(tessel_inspect_dump_json(c.path), "{}");
    EXPECT_EQ(std::string(tessel_last_error()), c.message);
  }
  EXPECT_EQ(strlen(tessel_last_error()), 2047u);
}

TEST(LibraryInterface, ASuccessfulCallEmptiesTheLastError) {
  EXPECT_STREQ(tessel_inspect_dump_json(nullptr), "{}");
  ASSERT_STRNE(tessel_last_error(), "");
  const std::string report = tessel_inspect_dump_json(kFixture.c_str());
  EXPECT_EQ(report.rfind("{\n    \"sql_path\": ", 0), 0u) << report;
  EXPECT_STREQ(tessel_last_error(), "");

  EXPECT_STREQ(tessel_inspect_dump_json(""), "{}");
  // A failed import argument check also starts from an empty message.
  EXPECT_EQ(tessel_import_file("x.sql", nullptr, nullptr), -1);
  EXPECT_STREQ(tessel_last_error(), "wiki_root_dir cannot be NULL or empty");
}

TEST(LibraryInterface, ImportArgumentsAreChecked) {
  const struct {
    const char *sql, *root;
    const char *message;
  } cases[] = {
      {nullptr, "/tmp/x", "sql_path cannot be NULL or empty"},
      {"", "/tmp/x", "sql_path cannot be NULL or empty"},
      {nullptr, nullptr, "sql_path cannot be NULL or empty"},
      {"d.sql", nullptr, "wiki_root_dir cannot be NULL or empty"},
      {"d.sql", "", "wiki_root_dir cannot be NULL or empty"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(tessel_import_file(c.sql, c.root, nullptr), -1);
    EXPECT_STREQ(tessel_last_error(), c.message);
  }
}

TEST(LibraryInterface, ImportOfAMissingDumpLeavesAnEmptyWorkDirectoryAndNoRepository) {
  TempDir dir;
  const std::string root = dir / "wiki/root";
  const std::string missing = dir / "missing.sql";
  EXPECT_EQ(tessel_import_file(missing.c_str(), root.c_str(), nullptr), -1);
  EXPECT_EQ(std::string(tessel_last_error()), "Failed to open SQL file: " + missing);
  ASSERT_TRUE(std::filesystem::is_directory(root + "/.tessel_tmp"));
  EXPECT_TRUE(std::filesystem::is_empty(root + "/.tessel_tmp"));
  EXPECT_FALSE(path_exists(root + "/.git"));
  size_t entries = 0;
  for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(root)) ++entries;
  EXPECT_EQ(entries, 1u);
}

}  // namespace
