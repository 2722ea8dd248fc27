// What the user asked for on the command line.
#pragma once

#include <string>

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the inspection or import failed
inline constexpr int kExitUsage = 2;    // the command line was wrong

enum class tool_command { inspect, import };

enum class progress_choice {
  automatic,  // redrawn on a capable terminal, otherwise none
  tty,        // redrawn, whatever standard error is
  plain,      // a line every few seconds
  none,
};

struct invocation {
  tool_command command = tool_command::inspect;
  std::string dump;
  std::string wiki_dir;  // import only
  progress_choice progress = progress_choice::automatic;
  bool quiet = false;  // no progress and no summary: errors only
};

struct parsed_command_line {
  bool run = false;  // false: stop with exit_code; help, version or error shown
  int exit_code = kExitSuccess;
  invocation what;
};

// Parses argv. --help and --version are answered on standard output, usage
// errors on standard error as "tessel: <message>" with a pointer to --help.
parsed_command_line parse_command_line(int argc, const char *const *argv);
