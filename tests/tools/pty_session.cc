#include "tools/pty_session.h"

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

class master_fd {
 public:
  explicit master_fd(int fd) : fd_(fd) {}
  ~master_fd() {
    if (fd_ >= 0) close(fd_);
  }
  master_fd(const master_fd &) = delete;
  master_fd &operator=(const master_fd &) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void exec_child(const std::vector<std::string> &argv,
                             const std::vector<std::string> &extra_env) {
  for (const std::string &e : extra_env) {
    const size_t eq = e.find('=');
    setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
  }
  std::vector<char *> args;
  for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

}  // namespace

pty_run run_on_terminal(const std::vector<std::string> &argv, unsigned short columns,
                        unsigned short rows, const std::vector<std::string> &extra_env) {
  pty_run result;
  struct winsize size {};
  size.ws_col = columns;
  size.ws_row = rows;
  int fd = -1;
  const pid_t pid = forkpty(&fd, nullptr, nullptr, &size);
  if (pid < 0) return result;
  if (pid == 0) exec_child(argv, extra_env);
  master_fd master(fd);
  // Read until the terminal's last writer has gone (EIO on Linux), so that
  // the child never blocks on a full terminal buffer.
  char buf[4096];
  for (;;) {
    const ssize_t n = read(master.get(), buf, sizeof buf);
    if (n > 0) {
      result.output.append(buf, static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}
