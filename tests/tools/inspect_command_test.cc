#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tessel.h"
#include "tools/tool_runs.h"

namespace {

using testing_support::TempDir;

TEST(InspectCommand, PrintsTheLibrarysReportOnStandardOutput) {
  const std::string expected = std::string(tessel_inspect_dump_json(sample_dump().c_str())) + "\n";
  ASSERT_NE(expected, "{}\n") << tessel_last_error();
  const auto r = run_tool({"inspect", sample_dump()});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");
}

TEST(InspectCommand, MissingDumpFailsWithTheLibrarysMessage) {
  TempDir dir;
  const auto r = run_tool({"inspect", dir / "missing.sql"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "tessel: Failed to open SQL file: " + (dir / "missing.sql") + "\n");
}

// The library answers "{}" and no message when the report cannot be
// written as JSON; the tool must not pass that off as a report.
TEST(InspectCommand, ReportThatCannotBeWrittenIsAFailure) {
  TempDir dir;
  const std::string path = dir / "latin1-\xe9.sql";  // not valid UTF-8
  testing_support::write_file(path, testing_support::read_file(sample_dump()));
  const auto r = run_tool({"inspect", path});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(contains(r.err, "tessel: cannot write the report of"));
  EXPECT_TRUE(contains(r.err, "not valid UTF-8"));
}

}  // namespace
