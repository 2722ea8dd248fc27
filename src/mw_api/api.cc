// The four exported functions. Each forwards to the core, turns its result
// into an integer or a pointer to static storage, and keeps every C++
// exception on this side of the boundary.
#include <cstring>
#include <new>

#include "mw_api/import.h"
#include "mw_inspect/inspect.h"
#include "platform/platform.h"
#include "tessel.h"

#define TESSEL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

char s_last_error[2048];

}  // namespace

TESSEL_EXPORT const char *tessel_version(void) { return "1.0.0"; }

TESSEL_EXPORT const char *tessel_last_error(void) { return s_last_error; }

TESSEL_EXPORT const char *tessel_inspect_dump_json(const char *sql_path) {
  s_last_error[0] = '\0';
  if (sql_path == nullptr || sql_path[0] == '\0') {
    write_message(s_last_error, sizeof s_last_error,
                  "sql_path cannot be NULL or empty");
    return "{}";
  }
  try {
    return mw_inspect_dump(sql_path, s_last_error, sizeof s_last_error);
  } catch (const std::bad_alloc &) {
    write_message(s_last_error, sizeof s_last_error, "Out of memory");
  } catch (...) {
    write_message(s_last_error, sizeof s_last_error, "Internal error");
  }
  return "{}";
}

TESSEL_EXPORT int tessel_import_file(const char *sql_path,
                                     const char *wiki_root_dir,
                                     mw_progress_fn progress) {
  s_last_error[0] = '\0';
  try {
    return mw_import_dump(sql_path, wiki_root_dir, progress, s_last_error,
                          sizeof s_last_error);
  } catch (const std::bad_alloc &) {
    write_message(s_last_error, sizeof s_last_error, "Out of memory");
  } catch (...) {
    write_message(s_last_error, sizeof s_last_error, "Internal error");
  }
  return -1;
}
