#include "tessel/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

bool is_capable_terminal(int fd) {
  if (isatty(fd) != 1) return false;
  const char *term = getenv("TERM");
  return term != nullptr && term[0] != '\0' && strcmp(term, "dumb") != 0;
}

int terminal_columns(int fd) {
  struct winsize size {};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}
