// tessel: inspect MediaWiki dumps and import them into git.
#include <exception>
#include <new>

#include "tessel/command_line.h"
#include "tessel/commands.h"

int main(int argc, char **argv) {
  try {
    const parsed_command_line line = parse_command_line(argc, argv);
    if (!line.run) return line.exit_code;
    return line.what.command == tool_command::import ? run_import(line.what)
                                                     : run_inspect(line.what);
  } catch (const std::bad_alloc &) {
    print_failure("out of memory");
  } catch (const std::exception &e) {
    print_failure(std::string("internal error: ") + e.what());
  }
  return kExitFailure;
}
