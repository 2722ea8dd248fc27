#include "mw_lexer/compressed_source.h"

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

constexpr size_t kInputBlock = 65536;

// The shared frame: input is pulled from the raw source in blocks, the
// decoder's step turns it into output. A decoder reports the end of its
// stream; input that ends before that is a truncated dump.
class decoder_source : public dump_source {
 public:
  explicit decoder_source(std::unique_ptr<dump_source> raw) : raw_(std::move(raw)) {}

  int64_t read(void *buf, size_t n) override {
    if (failed_) return -1;
    size_t produced = 0;
    auto *out = static_cast<uint8_t *>(buf);
    while (produced == 0) {
      if (in_avail_ == 0 && !raw_eof_) {
        int64_t got = raw_->read(in_, kInputBlock);
        if (got < 0) return fail(raw_->error());
        raw_eof_ = got == 0;
        in_next_ = in_;
        in_avail_ = static_cast<size_t>(got);
      }
      if (finished_) {
        // Concatenated streams (gzip and others allow several members).
        if (in_avail_ == 0 && raw_eof_) return 0;
        if (!restart()) return fail("cannot restart the decoder");
        finished_ = false;
      }
      size_t before_in = in_avail_;
      size_t out_room = n - produced;
      int rc = step(out + produced, &out_room);
      produced += (n - produced) - out_room;
      if (rc < 0) return fail(message_.empty() ? "corrupt compressed data" : message_);
      if (rc == 1) finished_ = true;
      if (produced == 0 && !finished_ && in_avail_ == before_in && raw_eof_)
        return fail("compressed data ends early");
    }
    return static_cast<int64_t>(produced);
  }

  uint64_t raw_bytes_read() const override { return raw_->raw_bytes_read(); }

 protected:
  // Decodes from in_next_/in_avail_ into out (room *out_room, left room on
  // return). 0: go on, 1: end of a stream, -1: error.
  virtual int step(uint8_t *out, size_t *out_room) = 0;
  virtual bool restart() = 0;

  uint8_t *in_next_ = nullptr;
  size_t in_avail_ = 0;
  bool raw_eof_ = false;  // everything the raw source holds has been pulled
  std::string message_;

 private:
  int64_t fail(const std::string &why) {
    failed_ = true;
    error_ = why;
    return -1;
  }

  std::unique_ptr<dump_source> raw_;
  uint8_t in_[kInputBlock];
  bool finished_ = false;
  bool failed_ = false;
};

class gzip_source final : public decoder_source {
 public:
  explicit gzip_source(std::unique_ptr<dump_source> raw) : decoder_source(std::move(raw)) {
    ok_ = inflateInit2(&z_, 15 + 16) == Z_OK;
  }
  ~gzip_source() override { inflateEnd(&z_); }

 protected:
  int step(uint8_t *out, size_t *out_room) override {
    if (!ok_) return -1;
    z_.next_in = in_next_;
    z_.avail_in = static_cast<uInt>(in_avail_);
    z_.next_out = out;
    z_.avail_out = static_cast<uInt>(*out_room);
    int rc = inflate(&z_, Z_NO_FLUSH);
    in_next_ = z_.next_in;
    in_avail_ = z_.avail_in;
    *out_room = z_.avail_out;
    if (rc == Z_STREAM_END) return 1;
    if (rc == Z_OK || rc == Z_BUF_ERROR) return 0;
    if (z_.msg != nullptr) message_ = z_.msg;
    return -1;
  }
  bool restart() override { return inflateReset(&z_) == Z_OK; }

 private:
  z_stream z_{};
  bool ok_ = false;
};

class bzip2_source final : public decoder_source {
 public:
  explicit bzip2_source(std::unique_ptr<dump_source> raw) : decoder_source(std::move(raw)) {
    ok_ = BZ2_bzDecompressInit(&bz_, 0, 0) == BZ_OK;
  }
  ~bzip2_source() override {
    if (ok_) BZ2_bzDecompressEnd(&bz_);
  }

 protected:
  int step(uint8_t *out, size_t *out_room) override {
    if (!ok_) return -1;
    bz_.next_in = reinterpret_cast<char *>(in_next_);
    bz_.avail_in = static_cast<unsigned>(in_avail_);
    bz_.next_out = reinterpret_cast<char *>(out);
    bz_.avail_out = static_cast<unsigned>(*out_room);
    int rc = BZ2_bzDecompress(&bz_);
    in_next_ = reinterpret_cast<uint8_t *>(bz_.next_in);
    in_avail_ = bz_.avail_in;
    *out_room = bz_.avail_out;
    if (rc == BZ_STREAM_END) return 1;
    return rc == BZ_OK ? 0 : -1;
  }
  bool restart() override {
    BZ2_bzDecompressEnd(&bz_);
    bz_ = bz_stream{};
    ok_ = BZ2_bzDecompressInit(&bz_, 0, 0) == BZ_OK;
    return ok_;
  }

 private:
  bz_stream bz_{};
  bool ok_ = false;
};

class xz_source final : public decoder_source {
 public:
  explicit xz_source(std::unique_ptr<dump_source> raw) : decoder_source(std::move(raw)) {
    ok_ = lzma_stream_decoder(&lz_, UINT64_MAX, LZMA_CONCATENATED) == LZMA_OK;
  }
  ~xz_source() override { lzma_end(&lz_); }

 protected:
  int step(uint8_t *out, size_t *out_room) override {
    if (!ok_) return -1;
    lz_.next_in = in_next_;
    lz_.avail_in = in_avail_;
    lz_.next_out = out;
    lz_.avail_out = *out_room;
    // With LZMA_CONCATENATED the decoder needs LZMA_FINISH to know the
    // input has ended.
    lzma_ret rc = lzma_code(&lz_, in_avail_ == 0 && raw_eof_ ? LZMA_FINISH : LZMA_RUN);
    in_next_ = const_cast<uint8_t *>(lz_.next_in);
    in_avail_ = lz_.avail_in;
    *out_room = lz_.avail_out;
    if (rc == LZMA_STREAM_END) return 1;
    if (rc == LZMA_OK || rc == LZMA_BUF_ERROR) return 0;
    return -1;
  }
  bool restart() override { return false; }  // concatenation is handled inside

 private:
  lzma_stream lz_ = LZMA_STREAM_INIT;
  bool ok_ = false;
};

class zstd_source final : public decoder_source {
 public:
  explicit zstd_source(std::unique_ptr<dump_source> raw)
      : decoder_source(std::move(raw)), ctx_(ZSTD_createDCtx()) {}
  ~zstd_source() override { ZSTD_freeDCtx(ctx_); }

 protected:
  int step(uint8_t *out, size_t *out_room) override {
    if (ctx_ == nullptr) return -1;
    ZSTD_inBuffer in{in_next_, in_avail_, 0};
    ZSTD_outBuffer o{out, *out_room, 0};
    size_t rc = ZSTD_decompressStream(ctx_, &o, &in);
    in_next_ += in.pos;
    in_avail_ -= in.pos;
    *out_room -= o.pos;
    if (ZSTD_isError(rc)) {
      message_ = ZSTD_getErrorName(rc);
      return -1;
    }
    return rc == 0 ? 1 : 0;
  }
  bool restart() override { return true; }  // the context continues by itself

 private:
  ZSTD_DCtx *ctx_;
};

}  // namespace

compression detect_compression(const uint8_t *head, size_t n) {
  auto starts = [&](std::initializer_list<uint8_t> magic) {
    return n >= magic.size() && std::equal(magic.begin(), magic.end(), head);
  };
  if (starts({0x1f, 0x8b})) return compression::gzip;
  if (starts({'B', 'Z', 'h'})) return compression::bzip2;
  if (starts({0xfd, '7', 'z', 'X', 'Z', 0x00})) return compression::xz;
  if (starts({0x28, 0xb5, 0x2f, 0xfd})) return compression::zstd;
  return compression::none;
}

std::unique_ptr<dump_source> decompressing_source(compression kind,
                                                  std::unique_ptr<dump_source> raw) {
  switch (kind) {
    case compression::gzip: return std::make_unique<gzip_source>(std::move(raw));
    case compression::bzip2: return std::make_unique<bzip2_source>(std::move(raw));
    case compression::xz: return std::make_unique<xz_source>(std::move(raw));
    case compression::zstd: return std::make_unique<zstd_source>(std::move(raw));
    case compression::none: break;
  }
  return raw;
}
