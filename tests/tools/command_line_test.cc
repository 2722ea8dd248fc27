// The tool's answers to the command line itself: help, version, usage errors.
#include <gtest/gtest.h>

#include "tessel.h"
#include "tools/tool_runs.h"

namespace {

TEST(CommandLine, VersionPrintsTheLibraryVersion) {
  const auto r = run_tool({"--version"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, std::string("tessel ") + tessel_version() + "\n");
  EXPECT_EQ(r.err, "");
}

struct help_case {
  std::vector<std::string> args;
  std::vector<std::string> mentions;
};

TEST(CommandLine, HelpOfTheToolAndOfEachCommandListsItsUseAndExamples) {
  const help_case cases[] = {
      {{"--help"}, {"Usage: tessel", "inspect", "import", "Examples:", "Exit status"}},
      {{"-h"}, {"Usage: tessel", "Examples:"}},
      {{"inspect", "--help"}, {"Usage: tessel inspect", "DUMP", "Examples:\n  tessel inspect "}},
      {{"import", "--help"},
       {"Usage: tessel import", "DUMP", "WIKI_DIR", "--progress", "plain", "--quiet",
        "Examples:\n  tessel import "}},
  };
  for (const help_case &c : cases) {
    const auto r = run_tool(c.args);
    EXPECT_EQ(r.exit_code, 0) << c.args[0];
    EXPECT_EQ(r.err, "") << c.args[0];
    for (const std::string &m : c.mentions) EXPECT_TRUE(contains(r.out, m)) << c.args[0];
  }
}

struct usage_case {
  std::vector<std::string> args;
  std::string message;  // what follows "tessel: "
  std::string help;     // the help it points to
};

TEST(CommandLine, UsageErrorsExitWithTwoAndSayWhatIsWrong) {
  const usage_case cases[] = {
      {{}, "A subcommand is required", "tessel --help"},
      {{"frob", "x.sql"}, "unknown command 'frob'", "tessel --help"},
      {{"--bogus"}, "", "tessel --help"},
      {{"inspect"}, "DUMP is required", "tessel inspect --help"},
      {{"inspect", "a.sql", "b.sql"}, "not expected: b.sql", "tessel inspect --help"},
      {{"import", "a.sql"}, "WIKI_DIR is required", "tessel import --help"},
      {{"import", "--progress=sometimes", "a.sql", "w"}, "sometimes", "tessel import --help"},
      {{"import", "--bogus", "a.sql", "w"}, "--bogus", "tessel import --help"},
  };
  for (const usage_case &c : cases) {
    const std::string shown = c.args.empty() ? "(none)" : c.args[0];
    const auto r = run_tool(c.args);
    EXPECT_EQ(r.exit_code, 2) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(r.err.rfind("tessel: ", 0), 0u) << r.err;
    EXPECT_TRUE(contains(r.err, c.message)) << shown;
    EXPECT_TRUE(contains(r.err, "Run '" + c.help + "'")) << shown;
  }
}

}  // namespace
