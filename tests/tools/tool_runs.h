// Running the built tessel program the ways the tests need.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

// The tool's path in the build tree.
std::string tool_path();

// The bundled sample dump.
std::string sample_dump();

// A number of the sample's inspection report, such as "total_revisions",
// so that the tests follow the sample when it changes.
long sample_total(const std::string &member);

// Runs the tool with args, standard input from /dev/null and its two
// outputs captured in files (so neither is a terminal).
testing_support::command_result run_tool(const std::vector<std::string> &args,
                                         const std::vector<std::string> &extra_env = {});

// The number of commits on the current branch of the repository in dir.
int commit_count(const std::string &dir);

// Passes when part occurs in text; the failure shows both.
::testing::AssertionResult contains(const std::string &text, const std::string &part);
