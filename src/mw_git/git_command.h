// Running one git command as a child process, without a shell.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Runs git (found in PATH) with args as its arguments after "git", and
// waits for it to end. Its standard input and output are /dev/null; its
// standard error is read for the message. It sees this process's
// environment with GIT_LITERAL_PATHSPECS=1 and GIT_TERMINAL_PROMPT=0 added,
// and without the variables that would point it at another repository or
// change how pathspecs are read.
//
// Returns 0 when git exits with status 0. Otherwise -1 with a message in err
// (see write_message): "git <subcommand> failed: <first line of its error
// output>", or "Failed to run git: <reason>" when it could not be started.
// Allocation failure throws std::bad_alloc, never while a child runs.
int run_git(const std::vector<std::string> &args, char *err, size_t err_size);
