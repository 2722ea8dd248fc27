// A store filled by hand, exported into a fresh root, and the result read
// back with git itself.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mw_git/git_export.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace export_testing {

struct ProgressCall {
  int pages_done;
  int revisions_done;
  std::string title;
  bool operator==(const ProgressCall &) const = default;
};

inline std::vector<ProgressCall> &progress_calls() {
  static std::vector<ProgressCall> calls;
  return calls;
}

inline void record_progress(int pages_done, int revisions_done, const char *title) {
  progress_calls().push_back({pages_done, revisions_done, title});
}

inline constexpr const char *kIdentityVariables[] = {
    "GIT_AUTHOR_NAME", "GIT_AUTHOR_EMAIL", "GIT_AUTHOR_DATE",
    "GIT_COMMITTER_NAME", "GIT_COMMITTER_DATE"};

// Sets a variable for the life of the object, then puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char *name, const std::string &value) : name_(name) {
    const char *old = getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv &) = delete;
  ScopedEnv &operator=(const ScopedEnv &) = delete;

 private:
  const char *name_;
  bool had_ = false;
  std::string old_;
};

class ExportTest : public ::testing::Test {
 protected:
  // The export leaves the identity in the environment; every test starts
  // without it so that one test's last author cannot leak into the next.
  void SetUp() override {
    for (const char *v : kIdentityVariables) unsetenv(v);
    progress_calls().clear();
    root_ = tmp_ / "wiki";
    store_ = new_store(root_);
  }
  void TearDown() override {
    for (const char *v : kIdentityVariables) unsetenv(v);
  }

  static unique_store new_store(const std::string &root) {
    return unique_store(mw_store_create((root + "/.tessel_tmp").c_str()));
  }

  void page(uint32_t id, int32_t ns, const std::string &title) {
    ASSERT_EQ(mw_store_add_page(store_.get(), id, ns, title.c_str(), 0), 0);
  }

  // The revision's text is filed under the revision's own id.
  void revision(uint32_t rev_id, uint32_t page_id, const char *timestamp,
                const std::string &user, const std::string &comment,
                const std::string &text) {
    ASSERT_EQ(mw_store_add_revision(store_.get(), rev_id, page_id, rev_id, timestamp,
                                    user.c_str(), comment.c_str()),
              0);
    ASSERT_EQ(mw_store_add_text(store_.get(), rev_id, text.data(), text.size()), 0);
  }

  int export_to(const std::string &root, mw_progress_fn progress = record_progress) {
    err_[0] = '\0';
    return mw_git_export(store_.get(), root.c_str(), progress, err_, sizeof err_);
  }
  int export_all() { return export_to(root_); }

  std::string git(const std::vector<std::string> &args) {
    return testing_support::git_out(root_, args);
  }

  // One entry per commit, oldest first; format fields separated by '|'.
  std::vector<std::string> log(const std::string &format) {
    std::string out = git({"log", "--reverse", "-z", "--format=" + format});
    std::vector<std::string> entries;
    size_t start = 0;
    for (size_t end; (end = out.find('\0', start)) != std::string::npos; start = end + 1)
      entries.push_back(out.substr(start, end - start));
    return entries;
  }

  std::string blob(const std::string &rev, const std::string &path) {
    return git({"cat-file", "blob", rev + ":" + path});
  }

  testing_support::TempDir tmp_;
  std::string root_;
  unique_store store_;
  char err_[2048] = {};
};

}  // namespace export_testing
