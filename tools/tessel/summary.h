// The few lines an import prints when it has finished.
#pragma once

#include <cstdint>
#include <string>

struct import_totals {
  uint64_t pages = 0;
  uint64_t revisions = 0;
  uint64_t commits = 0;
  uint64_t undecoded_texts = 0;
  int64_t elapsed_ms = 0;
};

// Ends in a line feed; the line about undecoded texts only when there are
// any.
std::string import_summary(const std::string &dump, const std::string &wiki_dir,
                           const import_totals &t);
