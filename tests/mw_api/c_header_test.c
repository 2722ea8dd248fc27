/* The public header compiled and used as plain C (built with -Wpedantic
 * -Wstrict-prototypes -Werror), as a C host would. The C++ side of the
 * test calls c_header_exercise and checks its answer. */
#include "tessel.h"

#include <stddef.h>
#include <string.h>

int c_header_exercise(const char *missing_dump, const char *dump);

static int progress_calls;

static void on_progress(int pages_done, int revisions_done, const char *title) {
  (void)pages_done;
  (void)revisions_done;
  (void)title;
  ++progress_calls;
}

/* 0 when every call answered as documented, else the number of the first
 * check that failed. */
int c_header_exercise(const char *missing_dump, const char *dump) {
  static const char open_failure[] = "Failed to open SQL file: ";
  mw_progress_fn progress = on_progress;
  const char *report;

  if (strcmp(tessel_version(), "1.0.0") != 0) return 1;
  if (strcmp(tessel_inspect_dump_json(missing_dump), "{}") != 0) return 2;
  if (strncmp(tessel_last_error(), open_failure, sizeof open_failure - 1) != 0) return 3;
  if (strcmp(tessel_last_error() + sizeof open_failure - 1, missing_dump) != 0) return 4;
  if (tessel_import_file(NULL, "root", progress) != -1) return 5;
  if (strcmp(tessel_last_error(), "sql_path cannot be NULL or empty") != 0) return 6;
  report = tessel_inspect_dump_json(dump);
  if (report == NULL || report[0] != '{' || report[strlen(report) - 1] != '}') return 7;
  if (strstr(report, "\"total_pages\": 3,") == NULL) return 8;
  if (tessel_last_error()[0] != '\0') return 9;
  if (progress_calls != 0) return 10;
  return 0;
}
