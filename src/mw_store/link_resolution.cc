// From MediaWiki 1.31 on, a revision row names its user and comment by id:
// rev_actor and rev_comment_id, or (while those migrations ran) rows of
// revision_actor_temp and revision_comment_temp; its text by a slot's
// content row. The tables may come after the revisions in the dump, so the
// links are followed once the scan is done.
#include "mw_store/store.h"

namespace {

template <typename Map>
const typename Map::mapped_type *find_in(const Map &map, uint32_t key) {
  auto it = map.find(key);
  return it == map.end() ? nullptr : &it->second;
}

// The id a revision links to: its own column, else its temp-table row.
uint32_t linked_id(uint32_t own, const std::unordered_map<uint32_t, uint32_t> &temp,
                   uint32_t rev_id) {
  if (own != 0) return own;
  const uint32_t *linked = find_in(temp, rev_id);
  return linked ? *linked : 0;
}

}  // namespace

void mw_store_resolve_links(mw_store_t *store) {
  if (store == nullptr) return;
  for (mw_revision_t &rev : store->revisions) {
    if (!rev.user_given) {
      uint32_t actor = linked_id(rev.actor_id, store->rev_actor_links, rev.rev_id);
      const std::string *name = actor ? find_in(store->actor_names, actor) : nullptr;
      if (name != nullptr && !name->empty()) rev.user = *name;
    }
    // A content row whose address is not "tt:N" keeps its text in an
    // external store, outside the dump: counted like other texts that
    // cannot be read.
    if (rev.text_via_slot && store->has_content_table) {
      auto slot = store->slot_index.find(rev.rev_id);
      const std::string *address =
          slot == store->slot_index.end()
              ? nullptr
              : find_in(store->content_addresses, store->slots[slot->second].content_id);
      if (address != nullptr && address->compare(0, 3, "tt:") != 0) ++store->undecoded_texts;
    }
    if (!rev.comment_given) {
      uint32_t id = linked_id(rev.comment_id, store->rev_comment_links, rev.rev_id);
      const std::string *text = id ? find_in(store->comment_texts, id) : nullptr;
      if (text != nullptr) rev.comment = *text;
    }
  }
}
