// Writes a filled store's history into a git repository.
#pragma once

#include <cstddef>

#include "tessel.h"

struct mw_store_t;

// One commit per revision in commit order, then one "Initialize" commit per
// page no revision touched. 0, or -1 with a message in err.
int mw_git_export(mw_store_t *store, const char *wiki_root_dir,
                  mw_progress_fn progress, char *err, size_t err_size);
