#include "mw_lexer/tables.h"

#include <cstring>

#include "mw_store/store.h"
#include "platform/ascii.h"

namespace {

struct known_table {
  const char *name;
  const char *key_column;
  mw_table kind;
};

constexpr known_table kKnownTables[] = {
    {"page", "page_id", mw_table::page},
    {"revision", "rev_id", mw_table::revision},
    {"text", "old_id", mw_table::text},
    {"slots", "slot_revision_id", mw_table::slots},
    {"categorylinks", "cl_from", mw_table::categorylinks},
    {"actor", "actor_id", mw_table::actor},
    {"comment", "comment_id", mw_table::comment},
    {"content", "content_id", mw_table::content},
    {"revision_actor_temp", "revactor_rev", mw_table::revision_actor_temp},
    {"revision_comment_temp", "revcomment_rev", mw_table::revision_comment_temp},
};

mw_table lookup(const char *name) {
  for (const auto &t : kKnownTables)
    if (ascii::iequals(name, t.name)) return t.kind;
  return mw_table::none;
}

}  // namespace

mw_table classify_table(const mw_store_t *store, const char *name) {
  mw_table kind = lookup(name);
  if (kind != mw_table::none || store->table_prefix.empty()) return kind;
  const std::string &prefix = store->table_prefix;
  if (strlen(name) <= prefix.size() || !ascii::istarts_with(name, prefix))
    return mw_table::none;
  return lookup(name + prefix.size());
}

void learn_table_prefix(mw_store_t *store, const char *created_table) {
  if (!store->table_prefix.empty()) return;
  size_t len = strlen(created_table);
  for (const auto &t : kKnownTables) {
    size_t tlen = strlen(t.name);
    if (len <= tlen || !ascii::iequals(created_table + len - tlen, t.name))
      continue;
    if (mw_store_find_col_idx(store, created_table, t.key_column) < 0) continue;
    store->table_prefix.assign(created_table, len - tlen);
    return;
  }
}
