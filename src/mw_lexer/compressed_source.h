// Dumps kept compressed (.sql.gz, .sql.bz2, .sql.xz, .sql.zst) are read
// through the matching library, recognised by their first bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "mw_lexer/dump_source.h"

enum class compression { none, gzip, bzip2, xz, zstd };

// What the first bytes of a file say about its compression.
compression detect_compression(const uint8_t *head, size_t n);

// A source that decompresses what `raw` delivers.
std::unique_ptr<dump_source> decompressing_source(
    compression kind, std::unique_ptr<dump_source> raw);
