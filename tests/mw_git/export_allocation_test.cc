// An allocation that fails anywhere in an export ends it with -1 and a
// message: no exception leaves it, nothing is left open or running.
#include <cstdlib>
#include <new>
#include <set>
#include <string>

#include "export_fixture.h"

namespace {

// Counts down the allocations while armed; the one that reaches zero fails.
long g_allocations_left = -1;

void *allocate(size_t n) {
  if (g_allocations_left >= 0 && g_allocations_left-- == 0) throw std::bad_alloc();
  void *p = malloc(n != 0 ? n : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void *allocate_or_null(size_t n) noexcept {
  try {
    return allocate(n);
  } catch (const std::bad_alloc &) {
    return nullptr;
  }
}

}  // namespace

void *operator new(size_t n) { return allocate(n); }
void *operator new[](size_t n) { return allocate(n); }
void *operator new(size_t n, const std::nothrow_t &) noexcept { return allocate_or_null(n); }
void *operator new[](size_t n, const std::nothrow_t &) noexcept { return allocate_or_null(n); }
void operator delete(void *p) noexcept { free(p); }
void operator delete[](void *p) noexcept { free(p); }
void operator delete(void *p, size_t) noexcept { free(p); }
void operator delete[](void *p, size_t) noexcept { free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { free(p); }

namespace {

using export_testing::ExportTest;

TEST_F(ExportTest, EveryFailedAllocationEndsTheExportCleanly) {
  std::set<std::string> messages;
  for (long fail_at = 0;; ++fail_at) {
    SCOPED_TRACE(fail_at);
    root_ = tmp_ / ("wiki" + std::to_string(fail_at));
    store_ = new_store(root_);
    page(1, 0, "Edited");
    page(2, 0, "Untouched");
    revision(1, 1, "20240101000000", "Ann", "edit", "text");

    g_allocations_left = fail_at;
    int rc = export_to(root_, nullptr);
    bool reached = g_allocations_left < 0;
    g_allocations_left = -1;
    if (!reached) {
      EXPECT_EQ(rc, 0) << err_;
      break;
    }
    EXPECT_EQ(rc, -1);
    EXPECT_NE(err_[0], '\0');
    messages.insert(err_);
  }
  EXPECT_EQ(messages.count("Out of memory during the git export"), 1u);
  // The one allocation that records a committed page has its own message.
  EXPECT_EQ(messages.count("Out of memory recording page 1 as committed"), 1u);
}

}  // namespace
