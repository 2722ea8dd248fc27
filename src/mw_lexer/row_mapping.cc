// Rows of the MediaWiki tables into store records. Each column is found by
// name in the schema registry. Only where a table's schema is unknown (no
// CREATE TABLE and no column list) do fixed positions stand in, and some of
// those depend on the tuple's width, which differs between generations.
#include <climits>
#include <cstdint>
#include <string>

#include "mw_lexer/reader.h"
#include "mw_lexer/tables.h"
#include "mw_lexer/text_decoding.h"
#include "mw_store/store.h"

namespace {

constexpr int kNoIndex = -1;

// Decimal text as strtoul and strtol read it: leading white space, a sign,
// digits up to the first other byte. The magnitude saturates just above the
// 32-bit range, which is all the callers need to clamp.
struct decimal {
  bool negative;
  uint64_t magnitude;
};

decimal read_decimal(const char *p) {
  while (ascii::is_space(static_cast<unsigned char>(*p))) ++p;
  decimal d{false, 0};
  if (*p == '+' || *p == '-') d.negative = *p++ == '-';
  for (; ascii::is_digit(static_cast<unsigned char>(*p)); ++p) {
    d.magnitude = d.magnitude * 10 + static_cast<uint64_t>(*p - '0');
    if (d.magnitude > UINT32_MAX) {
      d.magnitude = uint64_t{UINT32_MAX} + 1;
      break;
    }
  }
  return d;
}

// Above the 32-bit range: the largest value; a minus sign negates modulo 2^32.
uint32_t to_unsigned(const char *p) {
  const decimal d = read_decimal(p);
  if (d.magnitude > UINT32_MAX) return UINT32_MAX;
  const auto value = static_cast<uint32_t>(d.magnitude);
  return d.negative ? 0u - value : value;
}

int32_t to_signed(const char *p) {
  const decimal d = read_decimal(p);
  const int64_t value = d.negative ? -static_cast<int64_t>(d.magnitude)
                                   : static_cast<int64_t>(d.magnitude);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// One tuple with the means to find its columns.
class row_view {
 public:
  row_view(const mw_store_t *store, const char *table, const sql_value_t *values,
           int n)
      : store_(store), table_(table), values_(values), n_(n),
        schema_known_(mw_store_column_count(store, table) > 0) {}

  int n() const { return n_; }

  // The column's index; where the table's schema is unknown, `fallback`.
  int index(const char *column, int fallback) const {
    int i = mw_store_find_col_idx(store_, table_, column);
    if (i >= 0 || schema_known_) return i;
    return fallback;
  }
  bool registered(const char *column) const {
    return mw_store_find_col_idx(store_, table_, column) >= 0;
  }
  bool schema_known() const { return schema_known_; }

  const sql_value_t *usable(int i) const {
    if (i < 0 || i >= n_ || values_[i].is_null) return nullptr;
    return &values_[i];
  }
  uint32_t unsigned_at(int i, uint32_t fallback) const {
    const sql_value_t *v = usable(i);
    return v ? to_unsigned(v->data) : fallback;
  }
  int32_t signed_at(int i) const {
    const sql_value_t *v = usable(i);
    return v ? to_signed(v->data) : 0;
  }
  // The value's bytes; a --hex-blob literal is decoded into `scratch`.
  bool bytes_at(int i, std::string &scratch, const char **data,
                uint64_t *len) const {
    const sql_value_t *v = usable(i);
    if (v == nullptr) return false;
    if (!v->quoted && decode_hex_literal(v->data, v->len, scratch)) {
      *data = scratch.c_str();
      *len = scratch.size();
    } else {
      *data = v->data;
      *len = v->len;
    }
    return true;
  }
  // As text: up to the first NUL byte. Null when not usable.
  const char *text_at(int i, std::string &scratch) const {
    const char *data;
    uint64_t len;
    return bytes_at(i, scratch, &data, &len) ? data : nullptr;
  }

 private:
  const mw_store_t *store_;
  const char *table_;
  const sql_value_t *values_;
  int n_;
  bool schema_known_;
};

void map_page(mw_store_t *store, const row_view &row) {
  const int n = row.n();
  std::string title;
  const char *t = row.text_at(row.index("page_title", 2), title);
  int latest = n <= 9 ? 0 : (n <= 12 ? 8 : 9);
  mw_store_add_page(store, row.unsigned_at(row.index("page_id", 0), 0),
                    row.signed_at(row.index("page_namespace", 1)),
                    t ? t : "", row.unsigned_at(row.index("page_latest", latest), 0));
}

void map_revision(mw_store_t *store, const row_view &row) {
  const int n = row.n();
  const uint32_t rev_id = row.unsigned_at(row.index("rev_id", 0), 0);

  // Without rev_text_id (1.31 on) the text is reached through the slot;
  // the revision id then stands in only as a placeholder.
  const int text_index = row.index("rev_text_id", 2);
  int ts_index = row.index("rev_timestamp", n <= 6 ? 2 : (n <= 11 ? 4 : 6));
  int user_index = row.index("rev_user_text", kNoIndex);
  if (user_index < 0) user_index = row.index("rev_user", n >= 6 ? 5 : kNoIndex);
  int comment_index = row.index("rev_comment", n >= 4 ? 3 : kNoIndex);

  std::string ts, user, comment;
  const char *ts_text = row.text_at(ts_index, ts);
  const char *user_text = row.text_at(user_index, user);
  const char *comment_text = row.text_at(comment_index, comment);
  mw_store_add_revision(store, rev_id,
                        row.unsigned_at(row.index("rev_page", 1), 0),
                        row.unsigned_at(text_index, rev_id), ts_text ? ts_text : "",
                        user_text ? user_text : "", comment_text ? comment_text : "");
  mw_revision_t &rev = store->revisions.back();
  rev.user_given = user_text != nullptr && user_text[0] != '\0';
  rev.comment_given = comment_text != nullptr && comment_text[0] != '\0';
  rev.actor_id = row.unsigned_at(row.index("rev_actor", kNoIndex), 0);
  rev.comment_id = row.unsigned_at(row.index("rev_comment_id", kNoIndex), 0);
  // 1.32 to 1.34 keep the column but write 0 into it once texts are
  // reached through slots; text id 0 names no text.
  const sql_value_t *text_id = row.usable(text_index);
  rev.text_via_slot = (row.schema_known() && !row.registered("rev_text_id")) ||
                      (text_id != nullptr && to_unsigned(text_id->data) == 0);
}

void map_text(mw_store_t *store, const row_view &row) {
  const uint32_t id = row.unsigned_at(row.index("old_id", 0), 0);
  std::string raw_scratch, flags_scratch, inflated;
  const char *data = "";
  uint64_t len = 0;
  row.bytes_at(row.index("old_text", 1), raw_scratch, &data, &len);
  const char *flags = row.text_at(row.index("old_flags", 2), flags_scratch);
  text_storage storage = flags ? classify_text_flags(flags) : text_storage::plain;
  if (storage == text_storage::gzip) {
    if (inflate_raw(data, len, inflated)) {
      data = inflated.data();
      len = inflated.size();
    } else {
      storage = text_storage::unreadable;
    }
  }
  if (storage == text_storage::unreadable) ++store->undecoded_texts;
  if (mw_store_add_text(store, id, data, len) != 0)
    store->failure = "Failed to write text spool: " +
                     (store->text_path.empty() ? store->work_dir : store->text_path);
}

void map_slot(mw_store_t *store, const row_view &row) {
  mw_store_add_slot(store, row.unsigned_at(row.index("slot_revision_id", 0), 0),
                    row.unsigned_at(row.index("slot_content_id", row.n() <= 2 ? 1 : 2), 0));
}

void map_categorylink(mw_store_t *store, const row_view &row) {
  std::string scratch;
  const char *name = row.text_at(row.index("cl_to", 1), scratch);
  mw_store_add_categorylink(store, row.unsigned_at(row.index("cl_from", 0), 0),
                            name ? name : "");
}

// id -> text tables of the newer schemas; the first row of an id wins.
void map_id_text(std::unordered_map<uint32_t, std::string> &into,
                 const row_view &row, const char *id_column, int id_fallback,
                 const char *text_column, int text_fallback) {
  std::string scratch;
  const char *text = row.text_at(row.index(text_column, text_fallback), scratch);
  into.try_emplace(row.unsigned_at(row.index(id_column, id_fallback), 0),
                   text ? text : "");
}

void map_id_link(std::unordered_map<uint32_t, uint32_t> &into, const row_view &row,
                 const char *from_column, const char *to_column) {
  into.try_emplace(row.unsigned_at(row.index(from_column, 0), 0),
                   row.unsigned_at(row.index(to_column, 1), 0));
}

}  // namespace

void dispatch_tuple(mw_store_t *store, int import_mode, const char *table_name,
                    const sql_value_t *values, int n) {
  if (store == nullptr || table_name == nullptr) return;
  dispatch_row(store, classify_table(store, table_name), import_mode, table_name,
               values, n);
}

void dispatch_row(mw_store_t *store, mw_table kind, int import_mode,
                  const char *table_name, const sql_value_t *values, int n) {
  switch (kind) {
    case mw_table::page: ++store->rows_page; break;
    case mw_table::revision: ++store->rows_revision; break;
    case mw_table::text: ++store->rows_text; break;
    case mw_table::slots: ++store->rows_slots; break;
    case mw_table::categorylinks: ++store->rows_categorylinks; break;
    default: break;
  }
  if (import_mode == 0 || values == nullptr) return;
  const row_view row(store, table_name, values, n);
  switch (kind) {
    case mw_table::none: break;
    case mw_table::page: map_page(store, row); break;
    case mw_table::revision: map_revision(store, row); break;
    case mw_table::text: map_text(store, row); break;
    case mw_table::slots: map_slot(store, row); break;
    case mw_table::categorylinks: map_categorylink(store, row); break;
    case mw_table::actor:
      map_id_text(store->actor_names, row, "actor_id", 0, "actor_name", 2);
      break;
    case mw_table::comment:
      map_id_text(store->comment_texts, row, "comment_id", 0, "comment_text", 2);
      break;
    case mw_table::content:
      store->has_content_table = true;
      map_id_text(store->content_addresses, row, "content_id", 0,
                  "content_address", 4);
      break;
    case mw_table::revision_actor_temp:
      map_id_link(store->rev_actor_links, row, "revactor_rev", "revactor_actor");
      break;
    case mw_table::revision_comment_temp:
      map_id_link(store->rev_comment_links, row, "revcomment_rev",
                  "revcomment_comment_id");
      break;
  }
}
