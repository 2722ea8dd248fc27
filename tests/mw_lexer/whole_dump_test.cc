// Whole dump files read in import mode: a database dump declaring many
// tables, and the real dumps beside the project checked against their
// truth files.
#include <gtest/gtest.h>
#include <yyjson.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "mw_lexer/lexer.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using testing_support::TempDir;

std::string text_of(mw_store_t *store, const mw_revision_t &rev) {
  uint64_t len = 0;
  text_buffer b = mw_store_read_revision_text(store, rev, &len);
  return b ? std::string(b.get(), len) : "<none>";
}

TEST(WholeDump, SixtyTablesBeforeTheWikiTablesAreAllRegisteredAndMapByName) {
  const std::string path = std::string(TESSEL_TEST_FIXTURES) + "/sixty_tables.sql";
  TempDir dir;
  unique_store store(mw_store_create(dir.path().c_str()));
  char err[256] = "";
  ASSERT_EQ(mw_lexer_parse(path.c_str(), store.get(), 1, err, sizeof err), 0) << err;

  EXPECT_EQ(store->tables.size(), 67u);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "ores_classification", "oresc_value"), 2);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "page", "page_latest"), 8);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "revision", "rev_timestamp"), 7);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "slots", "slot_content_id"), 2);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "text", "old_flags"), 2);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "content", "content_address"), 4);

  EXPECT_STREQ(store->generator, "MySQL \t8.0.36");
  EXPECT_STREQ(store->mediawiki_version, "MediaWiki 1.31+");
  EXPECT_EQ(store->rows_text, 7u);

  mw_store_resolve_links(store.get());
  mw_store_sort_revisions(store.get());
  ASSERT_EQ(store->revisions.size(), 2u);
  const mw_revision_t &first = store->revisions[0];
  EXPECT_EQ(first.rev_id, 2u);
  EXPECT_STREQ(first.timestamp, "20240101000002");
  EXPECT_EQ(first.user, "Alice");
  EXPECT_EQ(first.comment, "First edit");
  EXPECT_EQ(text_of(store.get(), first), "First");
  const mw_revision_t &second = store->revisions[1];
  EXPECT_EQ(second.rev_id, 3u);
  EXPECT_STREQ(second.timestamp, "20240102000003");
  EXPECT_EQ(second.user, "192.0.2.7");
  EXPECT_EQ(second.comment, "Second edit, with a comma");
  EXPECT_EQ(text_of(store.get(), second), "Second");

  const mw_page_t *page = mw_store_get_page(store.get(), 1);
  ASSERT_NE(page, nullptr);
  EXPECT_STREQ(page->title, "Sixty_Tables");
  EXPECT_EQ(page->latest_rev_id, 3u);
}

// The fixture's truth file, parsed.
struct yyjson_doc_owner {
  explicit yyjson_doc_owner(const std::string &path)
      : doc(yyjson_read_file(path.c_str(), 0, nullptr, nullptr)) {}
  ~yyjson_doc_owner() { yyjson_doc_free(doc); }
  yyjson_doc *doc;
};

std::string str_of(yyjson_val *obj, const char *key) {
  const char *s = yyjson_get_str(yyjson_obj_get(obj, key));
  return s ? s : "<missing>";
}

TEST(WholeDump, RealDumpsMapEveryRevisionAsTheWikiHadIt) {
  const std::string folder = testing_support::real_world_dir();
  if (folder.empty()) GTEST_SKIP() << "real-world dumps not found at " << TESSEL_REAL_WORLD_DIR;
  int dumps = 0;
  for (const auto &entry : std::filesystem::directory_iterator(folder)) {
    const std::string sql = entry.path().string();
    if (entry.path().extension() != ".sql") continue;
    SCOPED_TRACE(sql);
    ++dumps;
    yyjson_doc_owner truth(sql + ".truth.json");
    ASSERT_NE(truth.doc, nullptr);
    yyjson_val *root = yyjson_doc_get_root(truth.doc);

    TempDir dir;
    unique_store store(mw_store_create(dir.path().c_str()));
    char err[512] = "";
    ASSERT_EQ(mw_lexer_parse(sql.c_str(), store.get(), 1, err, sizeof err), 0) << err;
    mw_store_resolve_links(store.get());
    mw_store_sort_revisions(store.get());

    yyjson_val *pages = yyjson_obj_get(root, "pages");
    size_t i, n;
    yyjson_val *p;
    yyjson_arr_foreach(pages, i, n, p) {
      const auto id = static_cast<uint32_t>(yyjson_get_uint(yyjson_obj_get(p, "page_id")));
      const mw_page_t *page = mw_store_get_page(store.get(), id);
      ASSERT_NE(page, nullptr) << "page " << id;
      EXPECT_EQ(page->title, str_of(p, "title"));
      EXPECT_EQ(page->namespace_id, yyjson_get_int(yyjson_obj_get(p, "ns")));
    }

    yyjson_val *revisions = yyjson_obj_get(root, "revisions");
    ASSERT_EQ(store->revisions.size(), yyjson_arr_size(revisions));
    yyjson_val *r;
    yyjson_arr_foreach(revisions, i, n, r) {
      const mw_revision_t &rev = store->revisions[i];
      SCOPED_TRACE("revision " + std::to_string(rev.rev_id));
      EXPECT_EQ(rev.rev_id, yyjson_get_uint(yyjson_obj_get(r, "rev_id")));
      EXPECT_EQ(rev.page_id, yyjson_get_uint(yyjson_obj_get(r, "page_id")));
      EXPECT_EQ(rev.timestamp, str_of(r, "timestamp"));
      EXPECT_EQ(rev.user, str_of(r, "user"));
      EXPECT_EQ(rev.comment, str_of(r, "comment"));
      EXPECT_EQ(text_of(store.get(), rev).size(), yyjson_get_uint(yyjson_obj_get(r, "text_len")));
    }
  }
  EXPECT_GT(dumps, 0);
}

}  // namespace
