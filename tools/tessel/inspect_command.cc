#include <cstdio>
#include <cstring>
#include <string>

#include "mw_inspect/inspect.h"
#include "tessel/commands.h"

int run_inspect(const invocation &what) {
  char err[2048] = "";
  const char *report = mw_inspect_dump(what.dump.c_str(), err, sizeof err);
  if (err[0] != '\0') {
    print_failure(err);
    return kExitFailure;
  }
  // The report writer refuses text that is not valid UTF-8 and leaves no
  // message; "{}" is never a real report, which always has its members.
  if (strcmp(report, "{}") == 0) {
    print_failure("cannot write the report of '" + what.dump +
                  "': its path or a text in its comments is not valid UTF-8");
    return kExitFailure;
  }
  if (printf("%s\n", report) < 0 || fflush(stdout) != 0) {
    print_failure("cannot write the report to standard output");
    return kExitFailure;
  }
  return kExitSuccess;
}
