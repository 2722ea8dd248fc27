#include "tools/tool_runs.h"

#include <cstdlib>
#include <regex>

#include "tessel.h"

std::string tool_path() { return TESSEL_TOOL_PATH; }

std::string sample_dump() { return std::string(TESSEL_SOURCE_DIR) + "/samples/smallwiki.sql"; }

long sample_total(const std::string &member) {
  const std::string report = tessel_inspect_dump_json(sample_dump().c_str());
  std::smatch m;
  if (!std::regex_search(report, m, std::regex("\"" + member + "\": ([0-9]+)"))) {
    ADD_FAILURE() << member << " is not in the sample's report: " << report;
    return -1;
  }
  return std::stol(m[1]);
}

testing_support::command_result run_tool(const std::vector<std::string> &args,
                                         const std::vector<std::string> &extra_env) {
  std::vector<std::string> argv = {tool_path()};
  argv.insert(argv.end(), args.begin(), args.end());
  return testing_support::run_command(argv, extra_env);
}

int commit_count(const std::string &dir) {
  return std::atoi(testing_support::git_out(dir, {"rev-list", "--count", "HEAD"}).c_str());
}

::testing::AssertionResult contains(const std::string &text, const std::string &part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}
