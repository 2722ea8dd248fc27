// Running a program on a pseudo-terminal, as if from an interactive shell.
#pragma once

#include <string>
#include <vector>

struct pty_run {
  int exit_code = -1;  // -1 when the program could not be run or was killed
  std::string output;  // all it wrote to the terminal, as the terminal got it
};

// Runs argv (argv[0] a path) with standard input, output and error on a new
// pseudo-terminal of columns x rows. extra_env entries ("NAME=value") are
// added to the environment.
pty_run run_on_terminal(const std::vector<std::string> &argv, unsigned short columns,
                        unsigned short rows, const std::vector<std::string> &extra_env);
