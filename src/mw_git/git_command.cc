#include "mw_git/git_command.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/unique_fd.h"
#include "platform/platform.h"

extern char **environ;

namespace {

char kLiteralPathspecs[] = "GIT_LITERAL_PATHSPECS=1";
char kNoPrompt[] = "GIT_TERMINAL_PROMPT=0";
// /etc/gitattributes could turn on end-of-line or filter conversion.
char kNoSystemAttributes[] = "GIT_ATTR_NOSYSTEM=1";

// A host started from a git hook or with its own settings would otherwise
// send git to that repository, or make it read pathspecs as patterns.
constexpr std::string_view kDroppedVariables[] = {
    "GIT_DIR",           "GIT_WORK_TREE",          "GIT_INDEX_FILE",
    "GIT_OBJECT_DIRECTORY", "GIT_ALTERNATE_OBJECT_DIRECTORIES",
    "GIT_COMMON_DIR",    "GIT_NAMESPACE",          "GIT_IMPLICIT_WORK_TREE",
    "GIT_PREFIX",        "GIT_GRAFT_FILE",         "GIT_SHALLOW_FILE",
    "GIT_REPLACE_REF_BASE", "GIT_NO_REPLACE_OBJECTS",
    "GIT_GLOB_PATHSPECS", "GIT_NOGLOB_PATHSPECS",  "GIT_ICASE_PATHSPECS",
    "GIT_LITERAL_PATHSPECS", "GIT_TERMINAL_PROMPT", "GIT_ATTR_NOSYSTEM",
};

bool dropped(std::string_view entry) {
  std::string_view name = entry.substr(0, entry.find('='));
  for (std::string_view d : kDroppedVariables)
    if (name == d) return true;
  return false;
}

// The word naming the command, after the -C and -c options that lead.
const char *subcommand_of(const std::vector<std::string> &args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-C" || args[i] == "-c") {
      ++i;
      continue;
    }
    if (args[i].empty() || args[i][0] != '-') return args[i].c_str();
  }
  return "";
}

class spawn_actions {
 public:
  spawn_actions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~spawn_actions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  spawn_actions(const spawn_actions &) = delete;
  spawn_actions &operator=(const spawn_actions &) = delete;
  // 0 or an error number.
  int prepare(int stderr_fd) {
    if (!ok_) return ENOMEM;
    int rc = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    if (rc == 0)
      rc = posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions_, stderr_fd, 2);
    return rc;
  }
  const posix_spawn_file_actions_t *get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
  bool ok_ = false;
};

class spawn_attributes {
 public:
  spawn_attributes() { ok_ = posix_spawnattr_init(&attr_) == 0; }
  ~spawn_attributes() {
    if (ok_) posix_spawnattr_destroy(&attr_);
  }
  spawn_attributes(const spawn_attributes &) = delete;
  spawn_attributes &operator=(const spawn_attributes &) = delete;
  // The host may block signals or ignore SIGPIPE; git should start clean.
  int prepare() {
    if (!ok_) return ENOMEM;
    sigset_t none, pipe;
    sigemptyset(&none);
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    int rc = posix_spawnattr_setsigmask(&attr_, &none);
    if (rc == 0) rc = posix_spawnattr_setsigdefault(&attr_, &pipe);
    if (rc == 0)
      rc = posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    return rc;
  }
  const posix_spawnattr_t *get() const { return &attr_; }

 private:
  posix_spawnattr_t attr_;
  bool ok_ = false;
};

// A started child that is always waited for, so none is left a zombie.
class child_process {
 public:
  explicit child_process(pid_t pid) : pid_(pid) {}
  ~child_process() {
    int status;
    wait(&status);
  }
  child_process(const child_process &) = delete;
  child_process &operator=(const child_process &) = delete;
  // 0, or an error number when the child cannot be waited for.
  int wait(int *status) {
    if (pid_ <= 0) return ECHILD;
    pid_t pid = std::exchange(pid_, -1);
    while (waitpid(pid, status, 0) < 0)
      if (errno != EINTR) return errno;
    return 0;
  }

 private:
  pid_t pid_;
};

// Keeps the start of git's error output and drains the rest, so that git
// never blocks on a full pipe.
class error_head {
 public:
  void read_all(int fd) {
    char scratch[4096];
    for (;;) {
      char *to = len_ < sizeof buf_ - 1 ? buf_ + len_ : scratch;
      size_t room = len_ < sizeof buf_ - 1 ? sizeof buf_ - 1 - len_ : sizeof scratch;
      ssize_t n = read(fd, to, room);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      if (to != scratch) len_ += static_cast<size_t>(n);
    }
    buf_[len_] = '\0';
  }

  // The line that says what went wrong: the first "fatal:" or "error:"
  // line, else the first that is not empty and not a hint (a warning may
  // come before the error), else the first that is not empty.
  std::string_view first_line() const {
    std::string_view any, other;
    std::string_view text(buf_, len_);
    while (!text.empty()) {
      size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.empty()) continue;
      if (line.starts_with("fatal:") || line.starts_with("error:")) return line;
      if (other.empty() && !line.starts_with("hint:")) other = line;
      if (any.empty()) any = line;
    }
    return other.empty() ? any : other;
  }

 private:
  char buf_[2048];
  size_t len_ = 0;
};

void describe_failure(int status, const error_head &head, const char *subcommand,
                      char *err, size_t err_size) {
  std::string_view line = head.first_line();
  if (!line.empty())
    write_message(err, err_size, "git %s failed: %.*s", subcommand,
                  static_cast<int>(line.size()), line.data());
  else if (WIFSIGNALED(status))
    write_message(err, err_size, "git %s failed: killed by signal %d", subcommand,
                  WTERMSIG(status));
  else
    write_message(err, err_size, "git %s failed: exit status %d", subcommand,
                  WEXITSTATUS(status));
}

}  // namespace

int run_git(const std::vector<std::string> &args, char *err, size_t err_size) {
  std::vector<char *> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(const_cast<char *>("git"));
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);

  std::vector<char *> envp;
  for (char **e = environ; *e != nullptr; ++e)
    if (!dropped(*e)) envp.push_back(*e);
  envp.push_back(kLiteralPathspecs);
  envp.push_back(kNoPrompt);
  envp.push_back(kNoSystemAttributes);
  envp.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    write_message(err, err_size, "Failed to run git: %s", strerror(errno));
    return -1;
  }
  unique_fd read_end(fds[0]);
  unique_fd write_end(fds[1]);
  spawn_actions actions;
  spawn_attributes attributes;
  int rc = actions.prepare(write_end.get());
  if (rc == 0) rc = attributes.prepare();
  pid_t pid = 0;
  if (rc == 0)
    rc = posix_spawnp(&pid, "git", actions.get(), attributes.get(), argv.data(),
                      envp.data());
  write_end.reset();  // else the read below never sees the end
  if (rc != 0) {
    write_message(err, err_size, "Failed to run git: %s", strerror(rc));
    return -1;
  }

  child_process child(pid);
  error_head head;
  head.read_all(read_end.get());
  int status = 0;
  rc = child.wait(&status);
  if (rc != 0) {
    write_message(err, err_size, "git %s failed: cannot wait for it: %s",
                  subcommand_of(args), strerror(rc));
    return -1;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return 0;
  describe_failure(status, head, subcommand_of(args), err, err_size);
  return -1;
}
