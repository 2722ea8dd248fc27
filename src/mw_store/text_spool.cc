// Article texts go to a spool file as they are parsed and are read back one
// at a time during the export; only a small index entry stays in memory.
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mw_store/store.h"

int mw_store_add_text(mw_store_t *store, uint32_t text_id, const void *bytes,
                      uint64_t len) {
  if (store == nullptr) return -1;
  if (!store->text_file) {
    if (store->work_dir.empty()) store->work_dir.assign(1, '.');
    if (store_open_spool(store) != 0) return -1;
  }
  FILE *f = store->text_file.get();
  uint64_t offset = store->spool_end;
  if (store->spool_position_moved) {
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0) return -1;
    store->spool_position_moved = false;
  }
  if (len != 0 && bytes != nullptr) {
    size_t written = fwrite(bytes, 1, len, f);
    store->spool_end += written;
    if (written != len) return -1;
  }
  store->texts.push_back({text_id, static_cast<int64_t>(offset), len});
  store->text_index.try_emplace(text_id, store->texts.size() - 1);
  return 0;
}

namespace {

const mw_text_ref_t *find_text(const mw_store_t *store, uint32_t text_id) {
  auto it = store->text_index.find(text_id);
  return it == store->text_index.end() ? nullptr : &store->texts[it->second];
}

text_buffer read_entry(mw_store_t *store, const mw_text_ref_t *ref,
                       uint64_t *out_len) {
  if (ref == nullptr) return nullptr;
  FILE *f = store->text_file.get();
  store->spool_position_moved = true;
  if (fseeko(f, ref->spool_offset, SEEK_SET) != 0) return nullptr;
  text_buffer buf(static_cast<char *>(malloc(ref->length + 1)));
  if (!buf) return nullptr;
  size_t got = ref->length == 0 ? 0 : fread(buf.get(), 1, ref->length, f);
  buf.get()[got] = '\0';
  if (out_len != nullptr) *out_len = got;
  return buf;
}

bool readable(const mw_store_t *store) {
  return store != nullptr && store->text_file && !store->texts.empty();
}

// The text id a content address names: "tt:N" is text N. Anything else
// (an external store's address) names no text of this dump.
bool text_id_of_address(const std::string &address, uint32_t *id) {
  if (address.compare(0, 3, "tt:") != 0 || address.size() == 3) return false;
  uint64_t value = 0;
  for (size_t i = 3; i < address.size(); ++i) {
    char c = address[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > UINT32_MAX) return false;
  }
  *id = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

text_buffer mw_store_read_text(mw_store_t *store, uint32_t id,
                               uint64_t *out_len) {
  if (out_len != nullptr) *out_len = 0;
  if (!readable(store)) return nullptr;
  const mw_text_ref_t *ref = find_text(store, id);
  if (ref == nullptr) {
    auto slot = store->slot_index.find(id);
    if (slot != store->slot_index.end())
      ref = find_text(store, store->slots[slot->second].content_id);
  }
  return read_entry(store, ref, out_len);
}

text_buffer mw_store_read_revision_text(mw_store_t *store,
                                        const mw_revision_t &rev,
                                        uint64_t *out_len) {
  if (!rev.text_via_slot) return mw_store_read_text(store, rev.text_id, out_len);
  if (out_len != nullptr) *out_len = 0;
  if (!readable(store)) return nullptr;
  auto slot = store->slot_index.find(rev.rev_id);
  if (slot == store->slot_index.end()) return nullptr;
  uint32_t text_id = store->slots[slot->second].content_id;
  if (store->has_content_table) {
    auto content = store->content_addresses.find(text_id);
    if (content == store->content_addresses.end() ||
        !text_id_of_address(content->second, &text_id))
      return nullptr;
  }
  return read_entry(store, find_text(store, text_id), out_len);
}

int mw_store_flush_texts(mw_store_t *store) {
  if (store == nullptr || !store->text_file) return 0;
  return fflush(store->text_file.get()) == 0 ? 0 : -1;
}
