#include "mw_git/nofollow_files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/platform.h"

namespace {

// Copies one path part into name as a C string; an error number for a part
// that could leave the directory or that no file system takes.
int part_name(std::string_view part, char (&name)[NAME_MAX + 1]) {
  if (part.empty() || part == "." || part == "..") return EINVAL;
  if (part.size() > NAME_MAX) return ENAMETOOLONG;
  memcpy(name, part.data(), part.size());
  name[part.size()] = '\0';
  return 0;
}

}  // namespace

int open_directory_at(int dir_fd, const char *name, bool create, unique_fd *out) {
  if (create && mkdirat(dir_fd, name, 0777) != 0 && errno != EEXIST) return errno;
  int fd = openat(dir_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno;
  out->reset(fd);
  return 0;
}

int write_file_at(int dir_fd, std::string_view path, const char *bytes,
                  uint64_t len) {
  char name[NAME_MAX + 1];
  unique_fd dir;
  int at = dir_fd;
  for (size_t sep; (sep = path.find(kPathSep)) != std::string_view::npos;) {
    int rc = part_name(path.substr(0, sep), name);
    if (rc == 0) rc = open_directory_at(at, name, true, &dir);
    if (rc != 0) return rc;
    at = dir.get();
    path.remove_prefix(sep + 1);
  }
  int rc = part_name(path, name);
  if (rc != 0) return rc;

  // O_NONBLOCK: a FIFO planted at the path must not stall the import.
  unique_fd file(openat(at, name,
                        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                        0666));
  if (!file.valid()) return errno;
  struct stat st {};
  if (fstat(file.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  rc = write_all(file.get(), bytes, len);
  if (rc != 0) return rc;
  return close(file.release()) == 0 ? 0 : errno;
}
