// After the scan, revisions that named no user or comment of their own get
// them from the actor and comment tables, directly or through the temp
// tables.
#include <gtest/gtest.h>

#include <string>

#include "mw_store/store.h"

namespace {

TEST(LinkResolution, FillsWhatTheRowDidNotGive) {
  const struct {
    const char *name;
    bool user_given, comment_given;
    uint32_t actor_id, comment_id;
    bool temp_links;  // revision 1 -> actor 2, comment 3 through the temp tables
    const char *user, *comment;
  } cases[] = {
      {"own links", false, false, 1, 1, false, "Actor one", "Comment one"},
      {"temp-table links", false, false, 0, 0, true, "Actor two", "Comment three"},
      {"own links before temp ones", false, false, 1, 1, true, "Actor one", "Comment one"},
      {"row's own texts win", true, true, 1, 1, true, "Row user", "Row comment"},
      {"unknown ids keep the defaults", false, false, 77, 78, false, "MediaWiki User", ""},
      {"an empty actor name keeps the default", false, false, 4, 1, false, "MediaWiki User",
       "Comment one"},
      {"no links at all", false, false, 0, 0, false, "MediaWiki User", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    unique_store store(mw_store_create(nullptr));
    store->actor_names = {{1, "Actor one"}, {2, "Actor two"}, {4, ""}};
    store->comment_texts = {{1, "Comment one"}, {3, "Comment three"}, {4, ""}};
    if (c.temp_links) {
      store->rev_actor_links[1] = 2;
      store->rev_comment_links[1] = 3;
    }
    mw_store_add_revision(store.get(), 1, 1, 1, "1", c.user_given ? "Row user" : "",
                          c.comment_given ? "Row comment" : "");
    mw_revision_t &rev = store->revisions[0];
    rev.user_given = c.user_given;
    rev.comment_given = c.comment_given;
    rev.actor_id = c.actor_id;
    rev.comment_id = c.comment_id;
    mw_store_resolve_links(store.get());
    EXPECT_EQ(rev.user, c.user);
    EXPECT_EQ(rev.comment, c.comment);
  }
  mw_store_resolve_links(nullptr);
}

}  // namespace
