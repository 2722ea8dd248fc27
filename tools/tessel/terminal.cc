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

