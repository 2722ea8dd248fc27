// The man page is kept by hand beside the --help text; this keeps the two
// from drifting apart.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "support/test_support.h"
#include "tools/tool_runs.h"

namespace {

std::string man_page() {
  return testing_support::read_file(std::string(TESSEL_SOURCE_DIR) + "/tools/tessel/tessel.1");
}

// In troff a dash in an option is written "\-".
std::string as_troff(const std::string &option) {
  std::string out;
  for (char c : option) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

TEST(ManPage, DocumentsEveryOptionAndCommandTheHelpLists) {
  const std::string page = man_page();
  ASSERT_FALSE(page.empty());
  std::set<std::string> options;
  for (const char *command : {"", "inspect", "import"}) {
    std::vector<std::string> args;
    if (*command != '\0') args.push_back(command);
    args.push_back("--help");
    const auto help = run_tool(args).out;
    const std::regex option_pattern("(^|[ ,])(--?[a-z][a-z-]*)");
    for (std::sregex_iterator it(help.begin(), help.end(), option_pattern), end; it != end; ++it)
      options.insert((*it)[2]);
  }
  for (const char *expected : {"--help", "-h", "--version", "--progress", "--quiet", "-q"})
    EXPECT_EQ(options.count(expected), 1u) << expected << " is no longer in the help";
  for (const std::string &option : options)
    EXPECT_TRUE(contains(page, as_troff(option))) << option;
  for (const char *word : {"inspect", "import", "auto", "tty", "plain", "none"})
    EXPECT_TRUE(contains(page, word));
  EXPECT_TRUE(contains(page, std::string(".TH TESSEL 1 ")));
}

TEST(ManPage, RendersWithoutWarnings) {
  const auto r = testing_support::run_command(
      {"groff", "-man", "-Tutf8", "-ww", "-z", std::string(TESSEL_SOURCE_DIR) + "/tools/tessel/tessel.1"});
  if (r.exit_code == -1 || r.exit_code == 127) GTEST_SKIP() << "groff is not installed";
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "");
}

}  // namespace
