#include "mw_lexer/stream.h"

#include "mw_lexer/compressed_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool stream_refill(sql_stream_t *s) {
  if (s->eof) return false;
  int64_t got = s->source->read(s->buf, kStreamBlock);
  if (got <= 0) {
    s->eof = true;
    s->failed = got < 0;
    s->pos = s->len = 0;
    return false;
  }
  s->pos = 0;
  s->len = static_cast<uint64_t>(got);
  s->bytes_read += s->len;
  if (s->on_block != nullptr)
    s->on_block(s->on_block_context, s->source->raw_bytes_read());
  return true;
}

std::unique_ptr<sql_stream_t> stream_open(std::unique_ptr<dump_source> source) {
  auto s = std::make_unique<sql_stream_t>();
  s->source = std::move(source);
  return s;
}

namespace {

class memory_dump_source final : public dump_source {
 public:
  explicit memory_dump_source(std::string bytes) : bytes_(std::move(bytes)) {}
  int64_t read(void *buf, size_t n) override {
    size_t k = std::min(n, bytes_.size() - at_);
    memcpy(buf, bytes_.data() + at_, k);
    at_ += k;
    delivered_ += k;
    return static_cast<int64_t>(k);
  }

 private:
  std::string bytes_;
  size_t at_ = 0;
};

class file_dump_source final : public dump_source {
 public:
  explicit file_dump_source(int fd) : fd_(fd) {}
  ~file_dump_source() override { close(fd_); }
  file_dump_source(const file_dump_source &) = delete;
  file_dump_source &operator=(const file_dump_source &) = delete;

  int64_t read(void *buf, size_t n) override {
    for (;;) {
      ssize_t got = ::read(fd_, buf, n);
      if (got >= 0) {
        delivered_ += static_cast<uint64_t>(got);
        return got;
      }
      if (errno == EINTR) continue;
      error_ = strerror(errno);
      return -1;
    }
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<dump_source> memory_source(std::string bytes) {
  return std::make_unique<memory_dump_source>(std::move(bytes));
}

std::unique_ptr<dump_source> open_dump_source(const char *path,
                                              uint64_t *file_size,
                                              std::string *err) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *err = strerror(errno);
    return nullptr;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    *err = S_ISDIR(st.st_mode) ? "is a directory" : strerror(errno);
    close(fd);
    return nullptr;
  }
  *file_size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  uint8_t head[8];
  ssize_t n = S_ISREG(st.st_mode) ? pread(fd, head, sizeof head, 0) : 0;
  auto raw = std::make_unique<file_dump_source>(fd);
  return decompressing_source(
      detect_compression(head, n > 0 ? static_cast<size_t>(n) : 0), std::move(raw));
}
