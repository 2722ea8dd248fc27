// Page, revision, slot and category-link records, and the order in which
// revisions are committed.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "mw_store/store.h"

namespace {

TEST(Records, FixedFieldsAreCutAndRevisionTextsDefaulted) {
  unique_store store(mw_store_create(nullptr));
  const std::string title(300, 'T'), category(300, 'C');
  ASSERT_EQ(mw_store_add_page(store.get(), 1, -2, title.c_str(), 9), 0);
  EXPECT_EQ(std::string(store->pages[0].title), title.substr(0, 255));
  EXPECT_EQ(store->pages[0].namespace_id, -2);
  EXPECT_EQ(store->pages[0].latest_rev_id, 9u);
  ASSERT_EQ(mw_store_add_categorylink(store.get(), 1, category.c_str()), 0);
  EXPECT_EQ(std::string(store->categorylinks[0].category), category.substr(0, 255));

  const struct {
    const char *timestamp, *user, *comment;
    const char *want_timestamp, *want_user, *want_comment;
  } cases[] = {
      {"20240101000000123456", "Ann", "Fixed", "202401010000001", "Ann", "Fixed"},
      {nullptr, nullptr, nullptr, "", "MediaWiki User", ""},
      {"20240101000000", "", "", "20240101000000", "MediaWiki User", ""},
  };
  for (const auto &c : cases) {
    ASSERT_EQ(mw_store_add_revision(store.get(), 5, 1, 7, c.timestamp, c.user, c.comment), 0);
    const mw_revision_t &rev = store->revisions.back();
    EXPECT_EQ(rev.rev_id, 5u);
    EXPECT_EQ(rev.page_id, 1u);
    EXPECT_EQ(rev.text_id, 7u);
    EXPECT_STREQ(rev.timestamp, c.want_timestamp);
    EXPECT_EQ(rev.user, c.want_user);
    EXPECT_EQ(rev.comment, c.want_comment);
  }
}

TEST(Records, NullArgumentsAreRefusedAndAddNothing) {
  unique_store store(mw_store_create(nullptr));
  EXPECT_EQ(mw_store_add_page(store.get(), 1, 0, nullptr, 0), -1);
  EXPECT_EQ(mw_store_add_categorylink(store.get(), 1, nullptr), -1);
  EXPECT_TRUE(store->pages.empty());
  EXPECT_TRUE(store->categorylinks.empty());
  EXPECT_EQ(mw_store_get_page(store.get(), 1), nullptr);
  EXPECT_EQ(mw_store_add_page(nullptr, 1, 0, "T", 0), -1);
  EXPECT_EQ(mw_store_add_revision(nullptr, 1, 1, 1, "", "", ""), -1);
  EXPECT_EQ(mw_store_add_slot(nullptr, 1, 1), -1);
  EXPECT_EQ(mw_store_add_categorylink(nullptr, 1, "C"), -1);
  EXPECT_EQ(mw_store_get_page(nullptr, 1), nullptr);
  mw_store_sort_revisions(nullptr);
  mw_store_destroy(nullptr);
}

TEST(Records, GetPageReturnsTheFirstPageAddedUnderAnId) {
  unique_store store(mw_store_create(nullptr));
  mw_store_add_page(store.get(), 4, 0, "First", 0);
  mw_store_add_page(store.get(), 5, 0, "Other", 0);
  mw_store_add_page(store.get(), 4, 0, "Second", 0);
  for (uint32_t id = 100; id < 300; ++id) mw_store_add_page(store.get(), id, 0, "Filler", 0);
  const mw_page_t *page = mw_store_get_page(store.get(), 4);
  ASSERT_NE(page, nullptr);
  EXPECT_STREQ(page->title, "First");
  EXPECT_STREQ(mw_store_get_page(store.get(), 5)->title, "Other");
  EXPECT_EQ(mw_store_get_page(store.get(), 6), nullptr);
}

TEST(Records, RevisionsSortByTimestampTextThenIdKeepingDuplicatesInOrder) {
  unique_store store(mw_store_create(nullptr));
  // (timestamp, id, comment); the comment tells apart the two rows that
  // agree in both keys.
  const std::vector<std::tuple<const char *, uint32_t, const char *>> added = {
      {"20080101000000", 1, "new year"},
      {"20071231235959", 9, "new year's eve"},
      {"20080101000000", 3, "dup first"},
      {nullptr, 50, "no timestamp"},
      {"20080101000000", 2, "same second"},
      {"20080101000000", 3, "dup second"},
  };
  for (const auto &[ts, id, comment] : added)
    mw_store_add_revision(store.get(), id, 1, id, ts, "U", comment);
  mw_store_sort_revisions(store.get());
  std::vector<std::string> order;
  for (const auto &rev : store->revisions) order.push_back(rev.comment);
  EXPECT_EQ(order, (std::vector<std::string>{"no timestamp", "new year's eve", "new year",
                                             "same second", "dup first", "dup second"}));
  EXPECT_LT(rev_compare(store->revisions[1], store->revisions[2]), 0);
  EXPECT_GT(rev_compare(store->revisions[3], store->revisions[2]), 0);
  EXPECT_EQ(rev_compare(store->revisions[4], store->revisions[5]), 0);
}

TEST(Records, SortingNoneOrOneRevisionChangesNothing) {
  unique_store store(mw_store_create(nullptr));
  mw_store_sort_revisions(store.get());
  EXPECT_TRUE(store->revisions.empty());
  mw_store_add_revision(store.get(), 2, 1, 2, "2", "U", "only");
  mw_store_sort_revisions(store.get());
  ASSERT_EQ(store->revisions.size(), 1u);
  EXPECT_EQ(store->revisions[0].comment, "only");
}

}  // namespace
