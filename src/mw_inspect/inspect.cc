// The inspection report: the dump's metadata and row counts as
// pretty-printed JSON.
#include "mw_inspect/inspect.h"

#include <yyjson.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "mw_lexer/lexer.h"
#include "mw_store/store.h"
#include "platform/platform.h"

namespace {

char s_inspect_result[65536];

struct DocFree {
  void operator()(yyjson_mut_doc *d) const { yyjson_mut_doc_free(d); }
};

const char *or_default(const char *field, const char *fallback) {
  return field[0] != '\0' ? field : fallback;
}

}  // namespace

const char *mw_inspect_dump(const char *sql_path, char *err, size_t err_size) {
  if (sql_path == nullptr) {
    write_message(err, err_size, "NULL sql_path passed");
    return "{}";
  }
  unique_store store(mw_store_create(nullptr));
  if (!store) {
    write_message(err, err_size, "Failed to allocate store");
    return "{}";
  }
  if (mw_lexer_parse(sql_path, store.get(), 0, err, err_size) != 0) return "{}";

  std::unique_ptr<yyjson_mut_doc, DocFree> doc(yyjson_mut_doc_new(nullptr));
  yyjson_mut_doc *d = doc.get();
  yyjson_mut_val *root = yyjson_mut_obj(d);
  yyjson_mut_doc_set_root(d, root);
  const mw_store_t &s = *store;
  yyjson_mut_obj_add_str(d, root, "sql_path", sql_path);
  yyjson_mut_obj_add_uint(d, root, "file_size", s.file_size);
  yyjson_mut_obj_add_str(d, root, "generator", or_default(s.generator, "mysqldump"));
  yyjson_mut_obj_add_str(d, root, "mediawiki_version",
                         or_default(s.mediawiki_version, "unknown"));
  yyjson_mut_obj_add_str(d, root, "dump_timestamp", or_default(s.dump_timestamp, ""));
  yyjson_mut_obj_add_uint(d, root, "total_pages", s.rows_page);
  yyjson_mut_obj_add_uint(d, root, "total_revisions", s.rows_revision);
  yyjson_mut_obj_add_uint(d, root, "total_texts", s.rows_text);
  yyjson_mut_obj_add_uint(d, root, "total_slots", s.rows_slots);
  yyjson_mut_obj_add_uint(d, root, "total_categories", s.rows_categorylinks);
  yyjson_mut_val *tables = yyjson_mut_obj(d);
  yyjson_mut_obj_add_val(d, root, "tables", tables);
  const struct {
    const char *name;
    uint64_t rows;
  } counts[] = {{"page", s.rows_page},
                {"revision", s.rows_revision},
                {"text", s.rows_text},
                {"slots", s.rows_slots},
                {"categorylinks", s.rows_categorylinks}};
  for (const auto &c : counts) {
    yyjson_mut_val *table = yyjson_mut_obj(d);
    yyjson_mut_obj_add_uint(d, table, "rows", c.rows);
    yyjson_mut_obj_add_val(d, tables, c.name, table);
  }

  char *text = yyjson_mut_write(d, YYJSON_WRITE_PRETTY, nullptr);
  if (text != nullptr) {
    copy_cut(s_inspect_result, sizeof s_inspect_result, text);
    free(text);
  } else {
    snprintf(s_inspect_result, sizeof s_inspect_result, "{}");
  }
  return s_inspect_result;
}
