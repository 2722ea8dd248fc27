#include "platform/platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

int ov_mkdir(const char *path) { return mkdir(path, 0777) == 0 ? 0 : -1; }

int ov_mkdir_p(const char *path) {
  if (path == nullptr) return -1;
  // Paths are as long as the caller's; only the system's own limit applies.
  std::string buf(path);
  for (size_t i = 1; i < buf.size(); ++i) {
    if (buf[i] == '/' || buf[i] == '\\') {
      char saved = buf[i];
      buf[i] = '\0';
      ov_mkdir(buf.c_str());
      buf[i] = saved;
    }
  }
  return ov_mkdir(buf.c_str());
}

int64_t ov_time_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int write_all(int fd, const void *bytes, uint64_t len) {
  const auto *p = static_cast<const char *>(bytes);
  constexpr uint64_t kChunk = uint64_t{1} << 30;  // write() takes at most this at once
  while (len > 0) {
    ssize_t n = write(fd, p, static_cast<size_t>(len < kChunk ? len : kChunk));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    len -= static_cast<uint64_t>(n);
  }
  return 0;
}

int ov_setenv(const char *name, const char *value) {
  return setenv(name, value, 1) == 0 ? 0 : -1;
}

void write_message(char *err, size_t err_size, const char *fmt, ...) {
  if (err == nullptr || err_size == 0) return;
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(err, err_size, fmt, ap);
  va_end(ap);
}

void copy_cut(char *dst, size_t dst_size, const char *src) {
  size_t n = strnlen(src, dst_size - 1);
  memcpy(dst, src, n);
  dst[n] = '\0';
}
