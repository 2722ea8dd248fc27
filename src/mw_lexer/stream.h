// The buffered byte stream the reader works on: 64 KiB blocks, with the
// per-byte primitives inline so that delivering a byte costs one bounds test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "mw_lexer/dump_source.h"
#include "platform/ascii.h"

inline constexpr size_t kStreamBlock = 65536;

// Told, after every block, how many bytes of the dump file have been read:
// the file's own bytes, compressed or not.
using stream_progress_fn = void (*)(void *context, uint64_t bytes_read);

struct sql_stream_t {
  std::unique_ptr<dump_source> source;
  uint64_t pos = 0;  // next byte to deliver
  uint64_t len = 0;  // valid bytes in buf
  bool eof = false;  // set once a block read delivered nothing; never reset
  bool failed = false;  // the source reported an error (eof is set too)
  uint64_t bytes_read = 0;
  stream_progress_fn on_block = nullptr;
  void *on_block_context = nullptr;
  alignas(64) uint8_t buf[kStreamBlock];
};

// Reads the next block. False at the end of input (eof is then set).
bool stream_refill(sql_stream_t *s);

inline int stream_next_char(sql_stream_t *s) {
  if (s->pos >= s->len && !stream_refill(s)) return -1;
  return s->buf[s->pos++];
}

inline int stream_peek_char(sql_stream_t *s) {
  if (s->pos >= s->len && !stream_refill(s)) return -1;
  return s->buf[s->pos];
}

inline void stream_skip_ws(sql_stream_t *s) {
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) return;
    if (!ascii::is_space(s->buf[s->pos])) return;
    ++s->pos;
  }
}

// Bytes of the input consumed so far.
inline uint64_t stream_offset(const sql_stream_t *s) {
  return s->bytes_read - (s->len - s->pos);
}

// Makes a stream over source (owned by the stream). The stream is large;
// it lives on the heap.
std::unique_ptr<sql_stream_t> stream_open(std::unique_ptr<dump_source> source);
