// `cmake --install` into a fresh prefix, then host programs built against
// that copy alone, once through pkg-config and once through find_package.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/test_support.h"
#include "tools/tool_runs.h"

namespace {

namespace fs = std::filesystem;
using testing_support::run_command;
using testing_support::TempDir;

std::vector<std::string> words(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The one file called name below dir, or "".
std::string find_below(const std::string &dir, const std::string &name) {
  for (const auto &entry : fs::recursive_directory_iterator(dir))
    if (entry.path().filename() == name) return entry.path().string();
  return "";
}

// Runs a host and checks that it reported on and imported the sample.
void expect_host_imports(const std::string &host, const std::string &wiki,
                         const std::vector<std::string> &env) {
  const auto r = run_command({host, sample_dump(), wiki}, env);
  ASSERT_EQ(r.exit_code, 0) << host << ": " << r.err;
  EXPECT_TRUE(contains(r.out, "\"total_revisions\": " +
                                 std::to_string(sample_total("total_revisions")) + ","));
  EXPECT_TRUE(contains(r.out, "made " + std::to_string(commit_count(wiki)) + " commits\n"));
  EXPECT_GT(commit_count(wiki), 0);
}

TEST(Install, HostProgramsBuildAgainstTheInstalledCopyAndImport) {
  TempDir dir;
  const std::string prefix = dir / "prefix";
  const auto install = run_command({"cmake", "--install", TESSEL_BUILD_DIR, "--prefix", prefix});
  ASSERT_EQ(install.exit_code, 0) << install.out << install.err;

  const std::string pc = find_below(prefix, "tessel.pc");
  const std::string library = find_below(prefix, "libtessel.so");
  ASSERT_NE(pc, "");
  ASSERT_NE(library, "");
  EXPECT_TRUE(fs::exists(prefix + "/include/tessel.h"));
  EXPECT_TRUE(fs::exists(prefix + "/share/man/man1/tessel.1"));
  const auto version = run_command({prefix + "/bin/tessel", "--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_TRUE(contains(version.out, "tessel "));

  const std::string host_dir = std::string(TESSEL_SOURCE_DIR) + "/tests/tools/install_host";
  const std::vector<std::string> find_in_prefix = {
      "PKG_CONFIG_PATH=" + fs::path(pc).parent_path().string(),
      "LD_LIBRARY_PATH=" + fs::path(library).parent_path().string()};
  const auto flags = run_command({"pkg-config", "--cflags", "--libs", "tessel"}, find_in_prefix);
  ASSERT_EQ(flags.exit_code, 0) << flags.err;
  EXPECT_TRUE(contains(flags.out, "-ltessel"));
  std::vector<std::string> cc = {"cc", "-std=c11", "-Wall", "-Werror"};
  for (const std::string &f : words(TESSEL_HOST_C_FLAGS)) cc.push_back(f);
  cc.insert(cc.end(), {host_dir + "/host.c", "-o", dir / "pc_host"});
  for (const std::string &f : words(flags.out)) cc.push_back(f);
  const auto compiled = run_command(cc);
  ASSERT_EQ(compiled.exit_code, 0) << compiled.err;
  expect_host_imports(dir / "pc_host", dir / "wiki_pc", find_in_prefix);

  const auto configured =
      run_command({"cmake", "-S", host_dir, "-B", dir / "cmake_host", "-DCMAKE_PREFIX_PATH=" + prefix,
                   std::string("-DCMAKE_C_FLAGS=") + TESSEL_HOST_C_FLAGS});
  ASSERT_EQ(configured.exit_code, 0) << configured.out << configured.err;
  const auto built = run_command({"cmake", "--build", dir / "cmake_host"});
  ASSERT_EQ(built.exit_code, 0) << built.out << built.err;
  // No library path: the imported target's location must be enough.
  expect_host_imports(dir / "cmake_host/host", dir / "wiki_cmake", {});
}

}  // namespace
