// PLACEHOLDER until the export lands: always fails.
#include "mw_git/git_export.h"

#include "platform/platform.h"

int mw_git_export(mw_store_t *, const char *, mw_progress_fn, char *err,
                  size_t err_size) {
  write_message(err, err_size, "git export not built yet");
  return -1;
}
