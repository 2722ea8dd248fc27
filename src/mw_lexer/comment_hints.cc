// Dump metadata from mysqldump's header and footer comment lines.
#include <cstdio>
#include <cstring>

#include "mw_lexer/reader.h"
#include "mw_store/store.h"
#include "platform/platform.h"

namespace {

const char *skip_blanks(const char *p) {
  while (*p == ' ') ++p;
  return p;
}

void trim_trailing(char *text, const char *bytes) {
  size_t n = strlen(text);
  while (n > 0 && strchr(bytes, text[n - 1]) != nullptr) text[--n] = '\0';
}

}  // namespace

void check_comment_hints(mw_store_t *store, const char *text) {
  if (store == nullptr || text == nullptr) return;
  if (const char *at = strstr(text, "Dump completed on")) {
    copy_cut(store->dump_timestamp, sizeof store->dump_timestamp, skip_blanks(at + strlen("Dump completed on")));
    trim_trailing(store->dump_timestamp, "\r\n");
  }
  if (const char *at = strstr(text, "Server version")) {
    snprintf(store->generator, sizeof store->generator, "MySQL %s",
             skip_blanks(at + strlen("Server version")));
    trim_trailing(store->generator, "\r\n");
  }
  if (const char *at = strstr(text, "MediaWiki")) {
    copy_cut(store->mediawiki_version, sizeof store->mediawiki_version, at);
    trim_trailing(store->mediawiki_version, "\r\n ");
  }
}
