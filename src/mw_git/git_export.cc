#include "mw_git/git_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>

#include "mw_git/git_identity.h"
#include "mw_git/git_names.h"
#include "mw_git/git_steps.h"
#include "mw_git/nofollow_files.h"
#include "platform/unique_fd.h"
#include "mw_store/store.h"
#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

constexpr char kMessageFileName[] = "commit_msg.txt";
constexpr char kUnknownPage[] = "Unknown_Page";

// What one export works with; the directories are held open so that every
// file is reached from them, never through a link planted on the way.
struct export_state {
  export_state(mw_store_t *store_, const char *root_, mw_progress_fn progress_,
               char *err_, size_t err_size_)
      : store(store_), root(root_), progress(progress_), err(err_), err_size(err_size_) {}

  mw_store_t *store;
  const char *root;
  mw_progress_fn progress;
  char *err;
  size_t err_size;
  unique_fd root_dir;
  unique_fd work_dir;
  std::unordered_set<uint32_t> touched;  // pages a revision has committed
  int revisions_done = 0;
  int pages_done = 0;
  // git runs in the root, so this names the message file whatever the root.
  std::string message_path = std::string(kWorkDirName) + kPathSep + kMessageFileName;

  // The message file goes on every path; unlinkat removes a link planted
  // there, never what it points to.
  ~export_state() {
    if (work_dir.valid()) unlinkat(work_dir.get(), kMessageFileName, 0);
  }
};

int open_directories(export_state &s) {
  ov_mkdir_p(s.root);
  int fd = open(s.root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    write_message(s.err, s.err_size, "Cannot open directory %s: %s", s.root,
                  strerror(errno));
    return -1;
  }
  s.root_dir.reset(fd);
  int rc = open_directory_at(fd, kWorkDirName, true, &s.work_dir);
  if (rc != 0) {
    write_message(s.err, s.err_size, "Cannot open directory %s%c%s: %s", s.root,
                  kPathSep, kWorkDirName, strerror(rc));
    return -1;
  }
  return 0;
}

bool blank(const char *text) {
  for (; *text != '\0'; ++text)
    if (!ascii::is_space(*text)) return false;
  return true;
}

// git would clean a blank message away and refuse the commit, so a blank
// comment is replaced like a missing one. The comment ends at its first NUL,
// which git does not take in a message either.
std::string revision_message(const mw_revision_t &rev, const char *title) {
  const char *comment = rev.comment.c_str();
  if (!blank(comment)) return std::string(comment) + '\n';
  return std::string(title) + " (revision " + std::to_string(rev.rev_id) + ")\n";
}

// Writes a file below the root (in_work_dir: below the work directory).
int write_in(export_state &s, bool in_work_dir, const std::string &path,
             const char *bytes, uint64_t len) {
  int dir_fd = in_work_dir ? s.work_dir.get() : s.root_dir.get();
  int rc = write_file_at(dir_fd, path, bytes, len);
  if (rc == 0) return 0;
  std::string shown = std::string(s.root) + kPathSep;
  if (in_work_dir) shown = shown + kWorkDirName + kPathSep;
  write_message(s.err, s.err_size, "Cannot write %s%s: %s", shown.c_str(),
                path.c_str(), strerror(rc));
  return -1;
}

int set_identity(export_state &s, const mw_revision_t &rev) {
  std::string name = git_author_name(rev.user.c_str());
  char email[kAuthorEmailSize];
  char date[kGitDateSize];
  format_author_email(name.c_str(), email, sizeof email);
  format_git_date(rev.timestamp, date, sizeof date);
  const char *settings[][2] = {
      {"GIT_AUTHOR_NAME", name.c_str()}, {"GIT_AUTHOR_EMAIL", email},
      {"GIT_AUTHOR_DATE", date},         {"GIT_COMMITTER_NAME", name.c_str()},
      {"GIT_COMMITTER_DATE", date},
  };
  for (const auto &setting : settings) {
    if (ov_setenv(setting[0], setting[1]) != 0) {
      write_message(s.err, s.err_size, "Cannot set %s in the environment",
                    setting[0]);
      return -1;
    }
  }
  return 0;
}

int commit_revision(export_state &s, const mw_revision_t &rev) {
  const mw_page_t *page = mw_store_get_page(s.store, rev.page_id);
  const char *title = page != nullptr ? page->title : kUnknownPage;
  std::string path = page_file_path(page != nullptr ? page->namespace_id : 0, title);

  uint64_t len = 0;
  text_buffer text = mw_store_read_revision_text(s.store, rev, &len);
  int rc = write_in(s, false, path, text.get(), text ? len : 0);
  text.reset();  // one text in memory at a time
  if (rc != 0 || git_add_file(s.root, path, s.err, s.err_size) != 0) return -1;

  std::string message = revision_message(rev, title);
  if (write_in(s, true, kMessageFileName, message.data(), message.size()) != 0)
    return -1;
  if (set_identity(s, rev) != 0) return -1;
  if (git_commit_from_file(s.root, s.message_path.c_str(), s.err, s.err_size) != 0)
    return -1;

  try {
    s.touched.insert(rev.page_id);
  } catch (const std::bad_alloc &) {
    // Going on would commit this page again as untouched.
    write_message(s.err, s.err_size, "Out of memory recording page %u as committed",
                  rev.page_id);
    return -1;
  }
  ++s.revisions_done;
  if (s.progress != nullptr)
    s.progress(static_cast<int>(s.touched.size()), s.revisions_done, title);
  return 0;
}

int initialize_page(export_state &s, const mw_page_t &page) {
  std::string path = page_file_path(page.namespace_id, page.title);
  if (write_in(s, false, path, nullptr, 0) != 0 ||
      git_add_file(s.root, path, s.err, s.err_size) != 0 ||
      git_commit_with_message(s.root, std::string("Initialize ") + page.title, s.err,
                              s.err_size) != 0)
    return -1;
  ++s.pages_done;
  if (s.progress != nullptr) s.progress(s.pages_done, s.revisions_done, page.title);
  return 0;
}

int export_history(export_state &s) {
  if (open_directories(s) != 0) return -1;
  if (git_prepare_repository(s.root, s.err, s.err_size) != 0) return -1;
  mw_store_sort_revisions(s.store);

  for (const mw_revision_t &rev : s.store->revisions)
    if (commit_revision(s, rev) != 0) return -1;

  // Later pages are tested against the first pass's pages only, so two
  // untouched pages sharing an id each get their commit.
  s.pages_done = static_cast<int>(s.touched.size());
  for (const mw_page_t &page : s.store->pages)
    if (s.touched.count(page.page_id) == 0 && initialize_page(s, page) != 0) return -1;
  return 0;
}

}  // namespace

int mw_git_export(mw_store_t *store, const char *wiki_root_dir,
                  mw_progress_fn progress, char *err, size_t err_size) {
  if (store == nullptr || wiki_root_dir == nullptr) {
    write_message(err, err_size, "Invalid parameters to mw_git_export");
    return -1;
  }
  // An empty root is the current directory, for the files as for git.
  const char *root = wiki_root_dir[0] != '\0' ? wiki_root_dir : ".";
  try {
    export_state state(store, root, progress, err, err_size);
    return export_history(state);
  } catch (const std::bad_alloc &) {
    write_message(err, err_size, "Out of memory during the git export");
    return -1;
  }
}
