// Page, revision, slot and category-link records, and the revision order.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "mw_store/store.h"
#include "platform/platform.h"

int mw_store_add_page(mw_store_t *store, uint32_t page_id, int32_t namespace_id,
                      const char *title, uint32_t latest_rev_id) {
  if (store == nullptr || title == nullptr) return -1;
  mw_page_t &page = store->pages.emplace_back();
  page.page_id = page_id;
  page.namespace_id = namespace_id;
  page.latest_rev_id = latest_rev_id;
  copy_cut(page.title, sizeof page.title, title);
  store->page_index.try_emplace(page_id, store->pages.size() - 1);
  return 0;
}

int mw_store_add_revision(mw_store_t *store, uint32_t rev_id, uint32_t page_id,
                          uint32_t text_id, const char *timestamp,
                          const char *user, const char *comment) {
  if (store == nullptr) return -1;
  mw_revision_t &rev = store->revisions.emplace_back();
  rev.rev_id = rev_id;
  rev.page_id = page_id;
  rev.text_id = text_id;
  if (timestamp != nullptr)
    copy_cut(rev.timestamp, sizeof rev.timestamp, timestamp);
  rev.user = (user != nullptr && user[0] != '\0') ? user : "MediaWiki User";
  if (comment != nullptr) rev.comment = comment;
  return 0;
}

int mw_store_add_slot(mw_store_t *store, uint32_t rev_id, uint32_t content_id) {
  if (store == nullptr) return -1;
  store->slots.push_back({rev_id, content_id});
  store->slot_index.try_emplace(rev_id, store->slots.size() - 1);
  return 0;
}

int mw_store_add_categorylink(mw_store_t *store, uint32_t page_id,
                              const char *category) {
  if (store == nullptr || category == nullptr) return -1;
  mw_categorylink_t &link = store->categorylinks.emplace_back();
  link.page_id = page_id;
  copy_cut(link.category, sizeof link.category, category);
  return 0;
}

const mw_page_t *mw_store_get_page(const mw_store_t *store, uint32_t page_id) {
  if (store == nullptr) return nullptr;
  auto it = store->page_index.find(page_id);
  return it == store->page_index.end() ? nullptr : &store->pages[it->second];
}

int rev_compare(const mw_revision_t &a, const mw_revision_t &b) {
  int d = strcmp(a.timestamp, b.timestamp);
  if (d != 0) return d;
  if (a.rev_id != b.rev_id) return a.rev_id < b.rev_id ? -1 : 1;
  return 0;
}

void mw_store_sort_revisions(mw_store_t *store) {
  if (store == nullptr || store->revisions.size() < 2) return;
  // Stable, so a revision row given twice keeps the dump's order.
  std::stable_sort(store->revisions.begin(), store->revisions.end(),
                   [](const mw_revision_t &a, const mw_revision_t &b) {
                     return rev_compare(a, b) < 0;
                   });
}
