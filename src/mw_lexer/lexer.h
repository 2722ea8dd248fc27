// The dump reader: one pass over a mysqldump file that fills the store's
// metadata and counters and, in import mode, its records and text spool.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mw_lexer/stream.h"

struct mw_store_t;

// Optional observer of the reading, for front ends that show progress.
struct mw_lexer_hooks {
  stream_progress_fn on_block = nullptr;  // file bytes read, after every block
  void *context = nullptr;
};

// Scans the dump at sql_path into store. import_mode 1 builds records and
// spools texts; 0 only counts. 0 after a complete scan; -1 with a message in
// err (by the usual convention) when an argument is null, the file cannot be
// opened or read, or a record cannot be stored.
int mw_lexer_parse(const char *sql_path, mw_store_t *store, int import_mode,
                   char *err, size_t err_size,
                   const mw_lexer_hooks *hooks = nullptr);
