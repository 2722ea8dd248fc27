// Where the stream's blocks come from: a plain file, a decompressor over a
// file, or (in tests) memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class dump_source {
 public:
  virtual ~dump_source() = default;
  // Fills up to n bytes; the count, 0 at the end of input, -1 on a read or
  // decoding error (described by error()).
  virtual int64_t read(void *buf, size_t n) = 0;
  const std::string &error() const { return error_; }
  // Bytes taken from the file so far: for a compressed dump, fewer than
  // read() has delivered.
  virtual uint64_t raw_bytes_read() const { return delivered_; }

 protected:
  std::string error_;
  uint64_t delivered_ = 0;  // kept up to date by sources that read a file
};

// A source over a copy of the given bytes.
std::unique_ptr<dump_source> memory_source(std::string bytes);

// Opens the dump at path. Null with *err set when it cannot be opened.
// *file_size receives the size of the file on disk.
std::unique_ptr<dump_source> open_dump_source(const char *path,
                                              uint64_t *file_size,
                                              std::string *err);
