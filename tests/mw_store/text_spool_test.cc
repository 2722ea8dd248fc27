// The text spool: texts written to a file in the work directory as they
// come and read back by id, directly or through a revision's slot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using testing_support::path_exists;
using testing_support::TempDir;

std::vector<std::string> files_in(const std::string &dir) {
  std::vector<std::string> names;
  for (const auto &e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  return names;
}

// The text under id, "<none>" when the read finds nothing (its length is
// then 0).
std::string read_back(mw_store_t *store, uint32_t id) {
  uint64_t len = 12345;
  text_buffer b = mw_store_read_text(store, id, &len);
  if (!b) return len == 0 ? "<none>" : "<none, but a length>";
  if (b.get()[len] != '\0') return "<not NUL-terminated>";
  return std::string(b.get(), len);
}

class TextSpool : public ::testing::Test {
 protected:
  TempDir dir;
  unique_store store{mw_store_create((dir / "work").c_str())};
};

TEST_F(TextSpool, TextsLieBackToBackAndReadBackExactly) {
  ASSERT_EQ(mw_store_add_text(store.get(), 1, "hello", 5), 0);
  ASSERT_EQ(mw_store_add_text(store.get(), 2, nullptr, 0), 0);
  ASSERT_EQ(mw_store_add_text(store.get(), 3, "abc", 3), 0);
  ASSERT_EQ(store->texts.size(), 3u);
  EXPECT_EQ(store->texts[0].spool_offset, 0);
  EXPECT_EQ(store->texts[1].spool_offset, 5);
  EXPECT_EQ(store->texts[2].spool_offset, 5);
  EXPECT_EQ(store->texts[1].length, 0u);
  // Read in another order than added.
  EXPECT_EQ(read_back(store.get(), 3), "abc");
  EXPECT_EQ(read_back(store.get(), 1), "hello");
  uint64_t len = 7;
  text_buffer empty = mw_store_read_text(store.get(), 2, &len);
  ASSERT_TRUE(empty);
  EXPECT_EQ(len, 0u);
  EXPECT_EQ(empty.get()[0], '\0');
  ASSERT_EQ(mw_store_flush_texts(store.get()), 0);
  EXPECT_EQ(testing_support::read_file(store->text_path), "helloabc");
}

TEST_F(TextSpool, NulBytesAreKeptAndCounted) {
  const std::string text("a\0b\0\0", 5);
  ASSERT_EQ(mw_store_add_text(store.get(), 1, text.data(), text.size()), 0);
  EXPECT_EQ(read_back(store.get(), 1), text);
}

TEST_F(TextSpool, TheFirstTextUnderAnIdWins) {
  mw_store_add_text(store.get(), 4, "first", 5);
  mw_store_add_text(store.get(), 4, "second", 6);
  EXPECT_EQ(read_back(store.get(), 4), "first");
  EXPECT_EQ(read_back(store.get(), 5), "<none>");
}

TEST_F(TextSpool, TextAddedAfterAReadIsAppendedAtTheEnd) {
  mw_store_add_text(store.get(), 1, "hello", 5);
  mw_store_add_text(store.get(), 2, "abc", 3);
  EXPECT_EQ(read_back(store.get(), 1), "hello");
  ASSERT_EQ(mw_store_add_text(store.get(), 3, "XY", 2), 0);
  EXPECT_EQ(read_back(store.get(), 2), "abc");
  EXPECT_EQ(read_back(store.get(), 3), "XY");
  EXPECT_EQ(read_back(store.get(), 1), "hello");
}

TEST_F(TextSpool, SlotsLeadFromARevisionIdToItsText) {
  mw_store_add_text(store.get(), 10, "text ten", 8);
  mw_store_add_text(store.get(), 20, "text twenty", 11);
  mw_store_add_text(store.get(), 30, "text thirty", 11);
  mw_store_add_slot(store.get(), 100, 20);  // revision 100 -> text 20
  mw_store_add_slot(store.get(), 101, 99);  // first slot names no text...
  mw_store_add_slot(store.get(), 101, 30);  // ...and a later one is not tried
  mw_store_add_slot(store.get(), 10, 30);   // a text id is found directly first
  EXPECT_EQ(read_back(store.get(), 100), "text twenty");
  EXPECT_EQ(read_back(store.get(), 101), "<none>");
  EXPECT_EQ(read_back(store.get(), 10), "text ten");
  EXPECT_EQ(read_back(store.get(), 102), "<none>");
}

TEST_F(TextSpool, RevisionWithoutTextIdIsReadThroughItsSlotOnly) {
  mw_store_add_text(store.get(), 7, "text of id 7", 12);
  mw_store_add_text(store.get(), 8, "text of id 8", 12);
  mw_store_add_slot(store.get(), 7, 8);
  mw_store_add_revision(store.get(), 7, 1, 7, "1", "U", "");
  mw_store_add_revision(store.get(), 9, 1, 9, "1", "U", "");
  const struct {
    size_t rev;
    bool via_slot, content_table;
    std::string want;
  } cases[] = {
      {0, false, false, "text of id 7"},  // a text id of its own
      {0, true, false, "text of id 8"},   // the slot's content id is the text id
      {0, true, true, "text of id 8"},    // content 8 -> "tt:8"
      {1, true, false, "<none>"},         // no slot
  };
  store->content_addresses[8] = "tt:8";
  for (const auto &c : cases) {
    mw_revision_t rev = store->revisions[c.rev];
    rev.text_via_slot = c.via_slot;
    store->has_content_table = c.content_table;
    uint64_t len = 99;
    text_buffer b = mw_store_read_revision_text(store.get(), rev, &len);
    EXPECT_EQ(b ? std::string(b.get(), len) : (len == 0 ? "<none>" : "?"), c.want)
        << c.rev << " " << c.via_slot << " " << c.content_table;
  }
}

TEST(TextSpoolLifecycle, SpoolIsCreatedWithTheStoreAndDeletedWithIt) {
  TempDir dir;
  const std::string work = dir / "a/b/.tessel_tmp";
  std::string spool;
  {
    unique_store store(mw_store_create(work.c_str()));
    ASSERT_TRUE(store->text_file);
    spool = store->text_path;
    EXPECT_EQ(spool.rfind(work + "/texts_", 0), 0u) << spool;
    EXPECT_EQ(spool.substr(spool.size() - 4), ".dat");
    EXPECT_EQ(files_in(work), (std::vector<std::string>{spool.substr(work.size() + 1)}));
    EXPECT_EQ(std::filesystem::file_size(spool), 0u);
  }
  EXPECT_FALSE(path_exists(spool));
  EXPECT_TRUE(std::filesystem::is_directory(work));
  EXPECT_TRUE(files_in(work).empty());
}

TEST(TextSpoolLifecycle, TwoStoresOnOneDirectoryGetTwoSpools) {
  TempDir dir;
  unique_store a(mw_store_create(dir.path().c_str()));
  unique_store b(mw_store_create(dir.path().c_str()));
  ASSERT_TRUE(a->text_file);
  ASSERT_TRUE(b->text_file);
  EXPECT_NE(a->text_path, b->text_path);
  mw_store_add_text(a.get(), 1, "from a", 6);
  mw_store_add_text(b.get(), 1, "from b", 6);
  EXPECT_EQ(read_back(a.get(), 1), "from a");
  EXPECT_EQ(read_back(b.get(), 1), "from b");
}

TEST(TextSpoolLifecycle, StoreWithoutDirectoryHasNoSpoolUntilAText) {
  for (const char *work : {static_cast<const char *>(nullptr), ""}) {
    unique_store store(mw_store_create(work));
    EXPECT_TRUE(store->work_dir.empty());
    EXPECT_TRUE(store->text_path.empty());
    EXPECT_FALSE(store->text_file);
    EXPECT_EQ(read_back(store.get(), 1), "<none>");
    EXPECT_EQ(mw_store_flush_texts(store.get()), 0);
  }
  EXPECT_EQ(mw_store_add_text(nullptr, 1, "x", 1), -1);
  EXPECT_EQ(read_back(nullptr, 1), "<none>");
}

TEST(TextSpoolLifecycle, FirstTextOfAStoreWithoutDirectoryOpensASpoolHere) {
  TempDir dir;
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  std::string spool;
  {
    unique_store store(mw_store_create(nullptr));
    ASSERT_EQ(mw_store_add_text(store.get(), 3, "here", 4), 0);
    spool = store->text_path;
    EXPECT_EQ(store->work_dir, ".");
    EXPECT_EQ(files_in("."), (std::vector<std::string>{spool.substr(2)}));
    EXPECT_EQ(read_back(store.get(), 3), "here");
  }
  EXPECT_TRUE(files_in(".").empty());
  ASSERT_EQ(chdir(previous), 0);
  EXPECT_EQ(spool.rfind("./texts_", 0), 0u) << spool;
}

TEST(TextSpoolLifecycle, SpoolThatCannotBeOpenedFailsTheText) {
  TempDir dir;
  // The work directory cannot be made: a file stands in its way.
  testing_support::write_file(dir / "file", "x");
  unique_store store(mw_store_create((dir / "file/work").c_str()));
  ASSERT_NE(store, nullptr);
  EXPECT_FALSE(store->text_file);
  EXPECT_EQ(mw_store_add_text(store.get(), 1, "x", 1), -1);
  EXPECT_TRUE(store->texts.empty());
  EXPECT_EQ(read_back(store.get(), 1), "<none>");
}

}  // namespace

TEST(TextSpoolLifecycle, WorkDirectoryThatIsALinkIsNotFollowed) {
  TempDir dir;
  const std::string elsewhere = dir / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::create_directory_symlink(elsewhere, dir / ".tessel_tmp");
  unique_store store(mw_store_create((dir / ".tessel_tmp").c_str()));
  ASSERT_NE(store, nullptr);
  EXPECT_FALSE(store->text_file);
  EXPECT_TRUE(store->text_path.empty());
  EXPECT_EQ(mw_store_add_text(store.get(), 1, "x", 1), -1);
  EXPECT_TRUE(files_in(elsewhere).empty());
}
