// The few operating-system services the units need, behind small helpers.
#pragma once

#include <cstddef>
#include <cstdint>

// Directory separator used when joining paths.
inline constexpr char kPathSep = '/';

// Creates one directory (mode 0777, the umask applies). 0, or -1 on
// failure, an existing directory included.
int ov_mkdir(const char *path);

// Creates every prefix of path that ends before a '/' or '\' (never at
// position 0), then path itself. Returns the result for the whole path; -1
// for a null path. The path may be of any length the system accepts.
int ov_mkdir_p(const char *path);

// Milliseconds of the monotonic clock.
int64_t ov_time_ms();

// Sets name=value in the process environment, overwriting. 0 or -1.
int ov_setenv(const char *name, const char *value);

// Writes all len bytes to fd, retrying short writes and interruptions.
// 0, or the errno of the failed write.
int write_all(int fd, const void *bytes, uint64_t len);

// Writes a printf-style message into err when err is non-null and err_size
// non-zero, cut to err_size - 1 bytes and always NUL-terminated.
void write_message(char *err, size_t err_size, const char *fmt, ...)
    __attribute__((format(printf, 3, 4)));

// Copies src into a fixed text field of dst_size bytes, cut at
// dst_size - 1 bytes and NUL-terminated (dst_size must be non-zero).
void copy_cut(char *dst, size_t dst_size, const char *src);
