// The in-memory model of one dump for the length of one call: metadata, row
// counters, the schema registry, the record tables and the text spool.
//
// Every operation accepts a null store and answers it with -1 or null.
// Record pointers stay valid only until the next add to the same table.
// Allocation failure throws std::bad_alloc; the exported functions turn it
// into a failure message.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/unique_fd.h"

inline constexpr int kMaxColumnsPerTable = 64;
inline constexpr size_t kNameSize = 64;

struct mw_table_schema_t {
  char table_name[kNameSize];
  int column_count;
  char column_names[kMaxColumnsPerTable][kNameSize];
};

struct mw_page_t {
  uint32_t page_id;
  int32_t namespace_id;
  uint32_t latest_rev_id;
  char title[256];
};

struct mw_revision_t {
  uint32_t rev_id;
  uint32_t page_id;
  uint32_t text_id;
  char timestamp[16];
  std::string user;     // never empty: "MediaWiki User" stands in
  std::string comment;  // may be empty
  // Links of the schemas that keep users, comments and texts in tables of
  // their own (0: none); mw_store_resolve_links follows them.
  uint32_t actor_id = 0;
  uint32_t comment_id = 0;
  bool user_given = false;     // the row itself named a user
  bool comment_given = false;  // the row itself had a comment
  // The revision table has no text id: the text is reached through the
  // revision's slot, never by taking the revision id as a text id.
  bool text_via_slot = false;
};

struct mw_slot_t {
  uint32_t rev_id;
  uint32_t content_id;
};

struct mw_categorylink_t {
  uint32_t page_id;
  char category[256];
};

struct mw_text_ref_t {
  uint32_t text_id;
  int64_t spool_offset;
  uint64_t length;  // 64 bits: texts of 4 GiB and more keep their length
};

struct FileCloser {
  void operator()(FILE *f) const { fclose(f); }
};
using unique_file = std::unique_ptr<FILE, FileCloser>;

struct mw_store_t {
  std::string work_dir;  // empty: no spool until a text arrives
  std::vector<mw_table_schema_t> tables;  // every table the dump declares

  std::vector<mw_page_t> pages;
  std::vector<mw_revision_t> revisions;
  std::string text_path;  // set once a spool has been created
  unique_file text_file;
  unique_fd spool_dir;    // work_dir, opened without following a link
  std::string spool_name;
  uint64_t spool_end = 0;  // bytes written to the spool so far
  // A read moved the spool's position away from its end: the next add seeks
  // back there first (a stream must not turn from reading to writing
  // without a seek).
  bool spool_position_moved = false;
  std::vector<mw_text_ref_t> texts;
  std::vector<mw_slot_t> slots;
  std::vector<mw_categorylink_t> categorylinks;

  char generator[128] = {};
  char mediawiki_version[64] = {};
  char dump_timestamp[64] = {};
  uint64_t file_size = 0;
  uint64_t rows_page = 0;
  uint64_t rows_revision = 0;
  uint64_t rows_text = 0;
  uint64_t rows_slots = 0;
  uint64_t rows_categorylinks = 0;

  // Tables of the schemas from 1.31 on, id -> value, first row wins.
  std::unordered_map<uint32_t, std::string> actor_names;
  std::unordered_map<uint32_t, std::string> comment_texts;
  std::unordered_map<uint32_t, std::string> content_addresses;
  std::unordered_map<uint32_t, uint32_t> rev_actor_links;    // rev -> actor
  std::unordered_map<uint32_t, uint32_t> rev_comment_links;  // rev -> comment
  bool has_content_table = false;  // content rows or a declared content table

  // Texts that were stored as they came because they could not be decoded
  // (external storage, serialized objects, broken compression).
  uint64_t undecoded_texts = 0;

  // Table name prefix of the wiki ("mw_"), learnt from its CREATE TABLEs.
  std::string table_prefix;

  // id -> position of the first record added under that id.
  std::unordered_map<uint32_t, size_t> page_index;
  std::unordered_map<uint32_t, size_t> text_index;
  std::unordered_map<uint32_t, size_t> slot_index;

  // Set when a record could not be stored (the spool cannot be written):
  // the scan stops and reports it rather than losing the row.
  std::string failure;
};

// Creates a store. With a non-empty work_dir the directory is created (with
// its parents) and the spool opened in it at once; a failure to do so shows
// up at the first added text. Null only when memory runs out.
mw_store_t *mw_store_create(const char *work_dir);

// Closes and deletes the spool and releases everything. Null is a no-op.
void mw_store_destroy(mw_store_t *store);

struct StoreDeleter {
  void operator()(mw_store_t *s) const { mw_store_destroy(s); }
};
using unique_store = std::unique_ptr<mw_store_t, StoreDeleter>;

// Registry. Tables are matched ASCII case-insensitively and keep the spelling
// of their first registration; names are cut to 63 bytes. Returns the new
// column's index, or -1 (null argument, or the table has 64 columns).
int mw_store_add_schema_col(mw_store_t *store, const char *table_name,
                            const char *column_name);
// Index of the first column of that name in that table, or -1.
int mw_store_find_col_idx(const mw_store_t *store, const char *table_name,
                          const char *column_name);

// Records. Each copies what it is given; 0, or -1 for a null store (and a
// null title or category name).
int mw_store_add_page(mw_store_t *store, uint32_t page_id, int32_t namespace_id,
                      const char *title, uint32_t latest_rev_id);
// Null or empty user becomes "MediaWiki User", null comment "".
int mw_store_add_revision(mw_store_t *store, uint32_t rev_id, uint32_t page_id,
                          uint32_t text_id, const char *timestamp,
                          const char *user, const char *comment);
int mw_store_add_slot(mw_store_t *store, uint32_t rev_id, uint32_t content_id);
int mw_store_add_categorylink(mw_store_t *store, uint32_t page_id,
                              const char *category);

// The first page added with page_id, or null. Valid until the next add.
const mw_page_t *mw_store_get_page(const mw_store_t *store, uint32_t page_id);

// Sorts the revisions by timestamp text (bytewise), then by ascending id.
void mw_store_sort_revisions(mw_store_t *store);
// The order mw_store_sort_revisions uses: <0, 0 or >0.
int rev_compare(const mw_revision_t &a, const mw_revision_t &b);

// Text spool. Appends len bytes (bytes may be null when len is 0) under
// text_id, opening a spool first when none is open. 0, or -1 when the spool
// cannot be opened or written.
int mw_store_add_text(mw_store_t *store, uint32_t text_id, const void *bytes,
                      uint64_t len);

struct FreeDeleter {
  void operator()(char *p) const { free(p); }
};
using text_buffer = std::unique_ptr<char, FreeDeleter>;

// Reads back the text filed under id, or, failing that, the text of the
// content id of the first slot of revision id. The buffer holds the bytes
// and a NUL; *out_len (when non-null) their count. Null when nothing is
// found, with *out_len 0.
text_buffer mw_store_read_text(mw_store_t *store, uint32_t id,
                               uint64_t *out_len);

// Reads the text of a revision: by its text id, or through its slot where
// the revision table carries no text id (slot -> content -> "tt:N").
text_buffer mw_store_read_revision_text(mw_store_t *store,
                                        const mw_revision_t &rev,
                                        uint64_t *out_len);

// After the scan: fills each revision's user and comment from the actor and
// comment tables where the row itself gave none.
void mw_store_resolve_links(mw_store_t *store);

// Flushes the spool; -1 when its bytes could not all be written.
int mw_store_flush_texts(mw_store_t *store);

// Opens (or re-opens) the spool in work_dir under a fresh name. 0 or -1.
int store_open_spool(mw_store_t *store);

// Number of registered columns of a table (0 when it is unknown).
int mw_store_column_count(const mw_store_t *store, const char *table_name);
