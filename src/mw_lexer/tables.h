// The MediaWiki tables whose rows the reader counts or maps.
#pragma once

struct mw_store_t;

enum class mw_table {
  none,
  // The five whose rows are counted for the report.
  page,
  revision,
  text,
  slots,
  categorylinks,
  // Where newer schemas keep users, comments and content addresses.
  actor,
  comment,
  content,
  revision_actor_temp,
  revision_comment_temp,
};

// Which table a name written in the dump denotes, with the dump's table
// prefix (if one was learnt) or without; ASCII case-insensitive.
mw_table classify_table(const mw_store_t *store, const char *name);

inline bool is_counted(mw_table t) {
  return t >= mw_table::page && t <= mw_table::categorylinks;
}

struct sql_value_t;

// dispatch_tuple for a table already classified: statements classify their
// table once, not once per row.
void dispatch_row(mw_store_t *store, mw_table kind, int import_mode,
                  const char *table_name, const sql_value_t *values, int n);

// Learns the dump's table prefix from a CREATE TABLE just captured: a name
// that is a prefix followed by one of the tables above, declaring that
// table's key column.
void learn_table_prefix(mw_store_t *store, const char *created_table);
