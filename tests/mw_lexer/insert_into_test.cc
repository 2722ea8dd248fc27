// INSERT INTO statements: which are read, how their tuples are split and
// counted, and what their column lists register.
#include <gtest/gtest.h>

#include <string>

#include "lexer_test_util.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using lexer_test::scan_text;
using testing_support::TempDir;

struct counts {
  uint64_t page, revision, text, slots, categorylinks;
  bool operator==(const counts &) const = default;
};

counts counts_of(const mw_store_t &s) {
  return {s.rows_page, s.rows_revision, s.rows_text, s.rows_slots, s.rows_categorylinks};
}

std::ostream &operator<<(std::ostream &os, const counts &c) {
  return os << "{page " << c.page << ", revision " << c.revision << ", text " << c.text
            << ", slots " << c.slots << ", categorylinks " << c.categorylinks << "}";
}

TEST(InsertInto, RowsAreCountedPerTable) {
  const struct {
    const char *name;
    std::string sql;
    counts want;
  } cases[] = {
      {"one statement, two tuples", "INSERT INTO `page` VALUES (1,0,'A'),(2,0,'B');",
       {2, 0, 0, 0, 0}},
      {"each of the five tables",
       "INSERT INTO `page` VALUES (1);INSERT INTO `revision` VALUES (1),(2);"
       "INSERT INTO `text` VALUES (1,'x'),(2,'y'),(3,'z');"
       "INSERT INTO `slots` VALUES (1,1,1,0),(2,1,2,0),(3,1,3,0),(4,1,4,0);"
       "INSERT INTO `categorylinks` VALUES (1,'C'),(2,'C'),(3,'C'),(4,'C'),(5,'C');",
       {1, 2, 3, 4, 5}},
      {"names in capitals", "INSERT INTO PAGE VALUES (1);insert into `Revision` values (1);",
       {1, 1, 0, 0, 0}},
      {"singular VALUE", "INSERT INTO `page` VALUE (1);", {1, 0, 0, 0, 0}},
      {"tuples on lines of their own", "INSERT INTO `page` VALUES\n(1),\n(2)\n(3);",
       {3, 0, 0, 0, 0}},
      {"parentheses and separators inside strings",
       "INSERT INTO `text` VALUES (1,'a),(b'),(2,'c;d'),(3,'e\\'),(f');", {0, 0, 3, 0, 0}},
      {"INSERT IGNORE is skipped", "INSERT IGNORE INTO `page` VALUES (1),(2);", {0, 0, 0, 0, 0}},
      {"REPLACE is skipped", "REPLACE INTO `page` VALUES (1),(2);", {0, 0, 0, 0, 0}},
      {"INSERT ... SELECT is skipped", "INSERT INTO `page` SELECT * FROM x;", {0, 0, 0, 0, 0}},
      {"other tables are skipped whole",
       "INSERT INTO `user` (`user_id`,`user_name`) VALUES (1,'x);INSERT INTO page VALUES (9);');"
       "INSERT INTO `page` VALUES (1);",
       {1, 0, 0, 0, 0}},
      {"prefix-like names are other tables", "INSERT INTO `pages` VALUES (1);"
       "INSERT INTO `mw_page` VALUES (1);",
       {0, 0, 0, 0, 0}},
      {"empty parentheses are a tuple", "INSERT INTO `page` VALUES ();", {1, 0, 0, 0, 0}},
      {"input ends inside a tuple", "INSERT INTO `page` VALUES (1,0,'A'),(2,0,'B", {2, 0, 0, 0, 0}},
      {"input ends after an opening parenthesis", "INSERT INTO `page` VALUES (1),(", {2, 0, 0, 0, 0}},
  };
  for (int mode : {0, 1}) {
    for (const auto &c : cases) {
      SCOPED_TRACE(std::string(c.name) + (mode ? " (import)" : " (inspect)"));
      TempDir dir;
      unique_store store(mw_store_create(mode ? dir.path().c_str() : nullptr));
      scan_text(store.get(), c.sql, mode);
      EXPECT_EQ(counts_of(*store), c.want);
    }
  }
}

TEST(InsertInto, ColumnListsOfTheReadTablesAreRegistered) {
  mw_store_t store;
  scan_text(&store,
            "INSERT INTO `user` (`user_id`, `user_name`) VALUES (1,'u');\n"
            "INSERT INTO `page` (`page_id`, `page_title`) VALUES (1,'P');\n"
            "INSERT INTO `actor` (`actor_id`,`actor_name`) VALUES (1,'A');\n",
            0);
  EXPECT_EQ(mw_store_find_col_idx(&store, "page", "page_title"), 1);
  EXPECT_EQ(mw_store_find_col_idx(&store, "actor", "actor_name"), 1);
  EXPECT_EQ(mw_store_column_count(&store, "user"), 0);
  EXPECT_EQ(store.rows_page, 1u);
}

TEST(InsertInto, ColumnListWithStrayBytesStillEnds) {
  mw_store_t store;
  scan_text(&store, "INSERT INTO `page` (`page_id`, t.`page_title`, 'x) VALUES (5,'T');", 1);
  EXPECT_EQ(mw_store_find_col_idx(&store, "page", "page_id"), 0);
  EXPECT_EQ(store.rows_page, 1u);
}

TEST(InsertInto, ColumnAfterAnEmptyQuotedNameKeepsItsFirstByte) {
  mw_store_t store;
  scan_text(&store, "INSERT INTO `page` (``page_id, page_title) VALUES (5,'T');", 0);
  EXPECT_EQ(mw_store_find_col_idx(&store, "page", "page_id"), 0);
  EXPECT_EQ(mw_store_find_col_idx(&store, "page", "page_title"), 1);
}

TEST(InsertInto, TupleValuesReachTheRowMappingInOrder) {
  TempDir dir;
  unique_store store(mw_store_create(dir.path().c_str()));
  scan_text(store.get(),
            "INSERT INTO `page` VALUES (1,,'Two commas'),(),(3,-4,'Three',0,0,0,0,0,0,0,0,0,0)"
            ",\n(4 , 1 , 'Spaced' ),(5,0,'Trunc",
            1);
  ASSERT_EQ(store->pages.size(), 5u);
  const struct {
    uint32_t id;
    int32_t ns;
    const char *title;
  } want[] = {{1, 0, "Two commas"}, {0, 0, ""}, {3, -4, "Three"}, {4, 1, "Spaced"}, {5, 0, "Trunc"}};
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(store->pages[i].page_id, want[i].id);
    EXPECT_EQ(store->pages[i].namespace_id, want[i].ns);
    EXPECT_STREQ(store->pages[i].title, want[i].title);
  }
}

TEST(InsertInto, TupleKeepsItsFirst64ValuesAndReadsPastTheRest) {
  // page_title is the 64th column; the tuple has 70 values, the last ones
  // holding what would end a tuple or a statement if they were misread.
  std::string create = "CREATE TABLE `page` (`page_id` int";
  for (int i = 1; i < 63; ++i) create += ", `c" + std::to_string(i) + "` int";
  create += ", `page_title` varbinary(255), `c64` int, `c65` int);\n";
  auto tuple = [](int id, const std::string &title) {
    std::string t = "(" + std::to_string(id);
    for (int i = 1; i < 63; ++i) t += ",0";
    t += ",'" + title + "','),(9,'";
    t += ",');INSERT INTO page VALUES (8);',NULL,4,5,6,7)";
    return t;
  };
  TempDir dir;
  unique_store store(mw_store_create(dir.path().c_str()));
  scan_text(store.get(), create + "INSERT INTO `page` VALUES " + tuple(1, "First") + "," +
                             tuple(2, "Second") + ";",
            1);
  EXPECT_EQ(store->rows_page, 2u);
  ASSERT_EQ(store->pages.size(), 2u);
  EXPECT_EQ(store->pages[0].page_id, 1u);
  EXPECT_STREQ(store->pages[0].title, "First");
  EXPECT_EQ(store->pages[1].page_id, 2u);
  EXPECT_STREQ(store->pages[1].title, "Second");
}

TEST(InsertInto, InspectionCountsButMapsAndSpoolsNothing) {
  mw_store_t store;
  scan_text(&store,
            "INSERT INTO page VALUES (1,0,'A');INSERT INTO revision VALUES (1,1,1);"
            "INSERT INTO text VALUES (1,'body',''),(2,'more','');"
            "INSERT INTO slots VALUES (1,1,1,1);INSERT INTO categorylinks VALUES (1,'C');"
            "INSERT INTO actor VALUES (1,1,'U');INSERT INTO comment VALUES (1,0,'c',NULL);",
            0);
  EXPECT_EQ(counts_of(store), (counts{1, 1, 2, 1, 1}));
  EXPECT_TRUE(store.pages.empty());
  EXPECT_TRUE(store.revisions.empty());
  EXPECT_TRUE(store.texts.empty());
  EXPECT_TRUE(store.slots.empty());
  EXPECT_TRUE(store.categorylinks.empty());
  EXPECT_TRUE(store.actor_names.empty());
  EXPECT_TRUE(store.comment_texts.empty());
  EXPECT_FALSE(store.text_file);
  EXPECT_TRUE(store.text_path.empty());
}

}  // namespace
