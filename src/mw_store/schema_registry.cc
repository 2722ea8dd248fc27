// Column names per table, in the order the dump declares them. Lookups are
// linear scans, over the tables and then over at most 64 columns: cheap
// beside the work an imported row costs anyway.
#include <cstdio>

#include "mw_store/store.h"
#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

const mw_table_schema_t *find_table(const mw_store_t *store, const char *name) {
  for (const auto &t : store->tables)
    if (ascii::iequals(t.table_name, name)) return &t;
  return nullptr;
}

}  // namespace

int mw_store_add_schema_col(mw_store_t *store, const char *table_name,
                            const char *column_name) {
  if (store == nullptr || table_name == nullptr || column_name == nullptr)
    return -1;
  auto *table = const_cast<mw_table_schema_t *>(find_table(store, table_name));
  if (table == nullptr) {
    table = &store->tables.emplace_back();
    copy_cut(table->table_name, kNameSize, table_name);
    table->column_count = 0;
  }
  if (table->column_count >= kMaxColumnsPerTable) return -1;
  copy_cut(table->column_names[table->column_count], kNameSize, column_name);
  return table->column_count++;
}

int mw_store_find_col_idx(const mw_store_t *store, const char *table_name,
                          const char *column_name) {
  if (store == nullptr || table_name == nullptr || column_name == nullptr)
    return -1;
  const mw_table_schema_t *table = find_table(store, table_name);
  if (table == nullptr) return -1;
  for (int i = 0; i < table->column_count; ++i)
    if (ascii::iequals(table->column_names[i], column_name)) return i;
  return -1;
}

int mw_store_column_count(const mw_store_t *store, const char *table_name) {
  if (store == nullptr || table_name == nullptr) return 0;
  const mw_table_schema_t *table = find_table(store, table_name);
  return table == nullptr ? 0 : table->column_count;
}
