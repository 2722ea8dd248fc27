// The schema registry: column names per table, found by name whatever the
// letter case, for every table a dump declares.
#include <gtest/gtest.h>

#include <string>

#include "mw_store/store.h"

namespace {

TEST(SchemaRegistry, TablesAndColumnsMatchIgnoringCaseAndKeepTheFirstSpelling) {
  unique_store store(mw_store_create(nullptr));
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "page", "page_id"), 0);
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "PAGE", "page_title"), 1);
  ASSERT_EQ(store->tables.size(), 1u);
  EXPECT_STREQ(store->tables[0].table_name, "page");
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "Page", "PAGE_TITLE"), 1);
  EXPECT_EQ(mw_store_column_count(store.get(), "pAgE"), 2);
}

TEST(SchemaRegistry, ASecondRegistrationOfAColumnAppendsAndLookupsTakeTheFirst) {
  unique_store store(mw_store_create(nullptr));
  mw_store_add_schema_col(store.get(), "revision", "rev_id");
  mw_store_add_schema_col(store.get(), "revision", "rev_page");
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "revision", "REV_ID"), 2);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "revision", "rev_id"), 0);
  EXPECT_EQ(mw_store_column_count(store.get(), "revision"), 3);
}

TEST(SchemaRegistry, The65thColumnIsRefusedAndTheFirst64KeepTheirIndices) {
  unique_store store(mw_store_create(nullptr));
  for (int i = 0; i < 64; ++i)
    ASSERT_EQ(mw_store_add_schema_col(store.get(), "wide", ("c" + std::to_string(i)).c_str()), i);
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "wide", "c64"), -1);
  EXPECT_EQ(mw_store_column_count(store.get(), "wide"), 64);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "wide", "c64"), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "wide", "c63"), 63);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "wide", "c0"), 0);
  // Another table is not affected by the full one.
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "narrow", "x"), 0);
}

TEST(SchemaRegistry, EveryTableIsKeptHoweverMany) {
  unique_store store(mw_store_create(nullptr));
  for (int t = 0; t < 70; ++t) {
    const std::string table = "table_" + std::to_string(t);
    ASSERT_EQ(mw_store_add_schema_col(store.get(), table.c_str(), "id"), 0);
    ASSERT_EQ(mw_store_add_schema_col(store.get(), table.c_str(), ("col_" + table).c_str()), 1);
  }
  EXPECT_EQ(store->tables.size(), 70u);
  for (int t = 0; t < 70; ++t) {
    const std::string table = "table_" + std::to_string(t);
    EXPECT_EQ(mw_store_find_col_idx(store.get(), table.c_str(), ("col_" + table).c_str()), 1)
        << table;
  }
}

TEST(SchemaRegistry, LongNamesAreCutTo63BytesAndNotFoundInFull) {
  unique_store store(mw_store_create(nullptr));
  const std::string table(80, 't'), column(70, 'c');
  ASSERT_EQ(mw_store_add_schema_col(store.get(), table.c_str(), column.c_str()), 0);
  EXPECT_EQ(std::string(store->tables[0].table_name), table.substr(0, 63));
  EXPECT_EQ(std::string(store->tables[0].column_names[0]), column.substr(0, 63));
  EXPECT_EQ(mw_store_find_col_idx(store.get(), table.c_str(), column.substr(0, 63).c_str()), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), table.substr(0, 63).c_str(), column.c_str()), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), table.substr(0, 63).c_str(),
                                  column.substr(0, 63).c_str()),
            0);
}

TEST(SchemaRegistry, NullArgumentsAndUnknownNamesGiveMinusOne) {
  unique_store store(mw_store_create(nullptr));
  mw_store_add_schema_col(store.get(), "page", "page_id");
  EXPECT_EQ(mw_store_add_schema_col(nullptr, "page", "x"), -1);
  EXPECT_EQ(mw_store_add_schema_col(store.get(), nullptr, "x"), -1);
  EXPECT_EQ(mw_store_add_schema_col(store.get(), "page", nullptr), -1);
  EXPECT_EQ(mw_store_find_col_idx(nullptr, "page", "page_id"), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), nullptr, "page_id"), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "page", nullptr), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "revision", "page_id"), -1);
  EXPECT_EQ(mw_store_find_col_idx(store.get(), "page", "page_title"), -1);
  EXPECT_EQ(mw_store_column_count(store.get(), "revision"), 0);
  EXPECT_EQ(mw_store_column_count(nullptr, "page"), 0);
  EXPECT_EQ(store->tables.size(), 1u);
  EXPECT_EQ(store->tables[0].column_count, 1);
}

}  // namespace
