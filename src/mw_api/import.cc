#include "mw_api/import.h"

#include <string>

#include "mw_git/git_export.h"
#include "mw_store/store.h"
#include "platform/platform.h"

int mw_import_dump(const char *sql_path, const char *wiki_root_dir,
                   mw_progress_fn progress, char *err, size_t err_size,
                   const mw_import_options *options) {
  if (sql_path == nullptr || sql_path[0] == '\0') {
    write_message(err, err_size, "sql_path cannot be NULL or empty");
    return -1;
  }
  if (wiki_root_dir == nullptr || wiki_root_dir[0] == '\0') {
    write_message(err, err_size, "wiki_root_dir cannot be NULL or empty");
    return -1;
  }
  const std::string work_dir = std::string(wiki_root_dir) + kPathSep + ".tessel_tmp";
  ov_mkdir_p(work_dir.c_str());
  unique_store store(mw_store_create(work_dir.c_str()));
  if (!store) {
    write_message(err, err_size, "Failed to initialize import store");
    return -1;
  }
  const mw_lexer_hooks *hooks = options ? &options->reading : nullptr;
  if (mw_lexer_parse(sql_path, store.get(), 1, err, err_size, hooks) != 0)
    return -1;
  if (mw_store_flush_texts(store.get()) != 0) {
    write_message(err, err_size, "Failed to write text spool: %s",
                  store->text_path.c_str());
    return -1;
  }
  mw_store_resolve_links(store.get());
  if (options != nullptr && options->on_scanned != nullptr)
    options->on_scanned(options->context, store->revisions.size(),
                        store->pages.size());
  if (mw_git_export(store.get(), wiki_root_dir, progress, err, err_size) != 0)
    return -1;
  if (options != nullptr && options->summary != nullptr) {
    options->summary->pages = store->pages.size();
    options->summary->revisions = store->revisions.size();
    options->summary->undecoded_texts = store->undecoded_texts;
  }
  return 0;
}
