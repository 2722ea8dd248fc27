// Compressed dumps read as the plain dump does: same counts, same texts;
// damaged or cut compressed data is a read failure, not a short dump.
#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <gtest/gtest.h>

#include <string>

#include "mw_lexer/lexer.h"
#include "mw_store/store.h"
#include "support/test_support.h"

namespace {

using testing_support::TempDir;

std::string gzip_bytes(const std::string &in) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, in.size()) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string bzip2_bytes(const std::string &in) {
  unsigned int len = static_cast<unsigned>(in.size() + in.size() / 100 + 1024);
  std::string out(len, '\0');
  BZ2_bzBuffToBuffCompress(out.data(), &len, const_cast<char *>(in.data()),
                           static_cast<unsigned>(in.size()), 9, 0, 0);
  out.resize(len);
  return out;
}

std::string xz_bytes(const std::string &in) {
  std::string out(lzma_stream_buffer_bound(in.size()), '\0');
  size_t pos = 0;
  lzma_easy_buffer_encode(6, LZMA_CHECK_CRC64, nullptr,
                          reinterpret_cast<const uint8_t *>(in.data()), in.size(),
                          reinterpret_cast<uint8_t *>(out.data()), &pos, out.size());
  out.resize(pos);
  return out;
}

// With a content checksum, as the zstd tool writes by default: without one
// the format cannot tell damaged data from good.
std::string zstd_bytes(const std::string &in) {
  std::string out(ZSTD_compressBound(in.size()), '\0');
  ZSTD_CCtx *cctx = ZSTD_createCCtx();
  ZSTD_CCtx_setParameter(cctx, ZSTD_c_checksumFlag, 1);
  out.resize(ZSTD_compress2(cctx, out.data(), out.size(), in.data(), in.size()));
  ZSTD_freeCCtx(cctx);
  return out;
}

// Several INSERT statements, with a text long enough that the compressed
// stream spans many input blocks.
std::string sample_dump() {
  std::string sql =
      "-- MySQL dump 10.13\n"
      "CREATE TABLE `text` (`old_id` int, `old_text` blob, `old_flags` blob);\n";
  std::string big(300000, 'x');
  for (size_t i = 0; i < big.size(); i += 97) big[i] = 'a' + static_cast<char>(i % 26);
  for (int stmt = 0; stmt < 4; ++stmt) {
    sql += "INSERT INTO `text` VALUES ";
    for (int i = 1; i <= 50; ++i) {
      int id = stmt * 50 + i;
      sql += (i > 1 ? "," : "") + std::string("(") + std::to_string(id) + ",'" +
             (id == 7 ? big : "text " + std::to_string(id)) + "','utf-8')";
    }
    sql += ";\n";
  }
  return sql + "-- Dump completed on 2024-03-01 12:00:00\n";
}

struct scan_result {
  int rc;
  uint64_t texts;
  uint64_t file_size;
  std::string text7;
  std::string message;
};

scan_result scan_file(const std::string &path, const TempDir &tmp) {
  unique_store store(mw_store_create((tmp / "work").c_str()));
  char err[2048] = "";
  scan_result r{mw_lexer_parse(path.c_str(), store.get(), 1, err, sizeof err), 0, 0, "", err};
  r.texts = store->rows_text;
  r.file_size = store->file_size;
  uint64_t len = 0;
  if (text_buffer t = mw_store_read_text(store.get(), 7, &len)) r.text7.assign(t.get(), len);
  return r;
}

struct codec {
  const char *name;
  std::string (*compress)(const std::string &);
};

const codec kCodecs[] = {
    {"gzip", gzip_bytes}, {"bzip2", bzip2_bytes}, {"xz", xz_bytes}, {"zstd", zstd_bytes}};

TEST(CompressedDump, ReadsLikeThePlainDumpWithTheFileSizeOnDisk) {
  TempDir tmp;
  const std::string sql = sample_dump();
  testing_support::write_file(tmp / "plain.sql", sql);
  const scan_result plain = scan_file(tmp / "plain.sql", tmp);
  ASSERT_EQ(plain.rc, 0);
  ASSERT_EQ(plain.texts, 200u);
  ASSERT_EQ(plain.text7.size(), 300000u);
  for (const codec &c : kCodecs) {
    SCOPED_TRACE(c.name);
    const std::string packed = c.compress(sql);
    const std::string path = tmp / (std::string("dump.sql.") + c.name);
    testing_support::write_file(path, packed);
    const scan_result r = scan_file(path, tmp);
    EXPECT_EQ(r.rc, 0) << r.message;
    EXPECT_EQ(r.texts, plain.texts);
    EXPECT_EQ(r.text7, plain.text7);
    EXPECT_EQ(r.file_size, packed.size());
  }
}

TEST(CompressedDump, ConcatenatedGzipMembersAreAllRead) {
  TempDir tmp;
  const std::string sql = sample_dump();
  testing_support::write_file(tmp / "twice.sql.gz", gzip_bytes(sql) + gzip_bytes(sql));
  const scan_result r = scan_file(tmp / "twice.sql.gz", tmp);
  EXPECT_EQ(r.rc, 0) << r.message;
  EXPECT_EQ(r.texts, 400u);
}

TEST(CompressedDump, CutOrDamagedDataIsAReadFailure) {
  TempDir tmp;
  const std::string sql = sample_dump();
  for (const codec &c : kCodecs) {
    SCOPED_TRACE(c.name);
    std::string packed = c.compress(sql);
    const std::string cut_path = tmp / (std::string("cut.sql.") + c.name);
    testing_support::write_file(cut_path, packed.substr(0, packed.size() / 2));
    scan_result cut = scan_file(cut_path, tmp);
    EXPECT_EQ(cut.rc, -1);
    EXPECT_EQ(cut.message.rfind("Failed to read SQL file: " + cut_path, 0), 0u) << cut.message;

    for (size_t i = packed.size() / 3; i < packed.size() / 3 + 64; ++i) packed[i] ^= 0x5a;
    const std::string bad_path = tmp / (std::string("bad.sql.") + c.name);
    testing_support::write_file(bad_path, packed);
    EXPECT_EQ(scan_file(bad_path, tmp).rc, -1);
  }
}

}  // namespace
