// Writing files below a directory without ever going through a symbolic
// link: a link planted in the repository must not let an import write
// outside it. Every function returns 0 or an error number (errno values).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/unique_fd.h"

// Opens the directory name inside dir_fd, making it first when create is
// set and it is missing. A symbolic link there is refused.
int open_directory_at(int dir_fd, const char *name, bool create, unique_fd *out);

// Makes the file at path (relative to dir_fd, parts joined by '/') hold
// exactly the len bytes at bytes (null when len is 0), creating it and any
// missing directory on the way. Refuses a symbolic link in any part, and
// anything but a regular file at the end; refuses empty, "." and ".." parts
// (EINVAL).
int write_file_at(int dir_fd, std::string_view path, const char *bytes,
                  uint64_t len);
