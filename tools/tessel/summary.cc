#include "tessel/summary.h"

#include "tessel/display_text.h"
#include "tessel/progress_text.h"

std::string import_summary(const std::string &dump, const std::string &wiki_dir,
                           const import_totals &t) {
  std::string s = "Imported " + printable_text(dump) + " into " + printable_text(wiki_dir) + "\n";
  s += "  pages:       " + format_count(t.pages) + "\n";
  s += "  revisions:   " + format_count(t.revisions) + "\n";
  s += "  commits:     " + format_count(t.commits) + "\n";
  s += "  time taken:  " + format_time_taken(t.elapsed_ms) + "\n";
  if (t.undecoded_texts > 0)
    s += "  texts that could not be decoded: " + format_count(t.undecoded_texts) +
         " (committed as the bytes stored in the dump)\n";
  return s;
}
