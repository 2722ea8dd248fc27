#include "mw_git/git_identity.h"

#include <cstdio>
#include <cstring>

#include "platform/ascii.h"

namespace {

constexpr size_t kTimestampLen = 14;
constexpr size_t kLocalPartSize = 128;

// Reads the decimal field of n digits at ts + at; false when a byte is not a
// digit.
bool read_field(const char *ts, size_t at, size_t n, int *value) {
  int v = 0;
  for (size_t i = at; i < at + n; ++i) {
    if (!ascii::is_digit(ts[i])) return false;
    v = v * 10 + (ts[i] - '0');
  }
  *value = v;
  return true;
}

bool git_accepts(const char *ts) {
  if (ts == nullptr || strnlen(ts, kTimestampLen) < kTimestampLen) return false;
  int year, month, day, hour, minute, second;
  if (!read_field(ts, 0, 4, &year) || !read_field(ts, 4, 2, &month) ||
      !read_field(ts, 6, 2, &day) || !read_field(ts, 8, 2, &hour) ||
      !read_field(ts, 10, 2, &minute) || !read_field(ts, 12, 2, &second))
    return false;
  return year >= 1970 && year <= 2099 && month >= 1 && month <= 12 &&
         day >= 1 && day <= 31 && hour <= 23 && minute <= 59 && second <= 59;
}

// The bytes git trims from both ends of a name (ident.c calls them crud).
bool trimmed_by_git(unsigned char c) {
  return c <= 0x20 || strchr(".,:;<>\"\\'", c) != nullptr;
}

bool kept_in_email(unsigned char c) {
  return ascii::is_alnum(c) || c == '.' || c == '_' || c == '-';
}

}  // namespace

void format_git_date(const char *timestamp, char *out, size_t out_size) {
  if (out == nullptr || out_size == 0) return;
  if (!git_accepts(timestamp)) {
    snprintf(out, out_size, "%s", kFallbackGitDate);
    return;
  }
  const char *t = timestamp;
  snprintf(out, out_size, "%.4s-%.2s-%.2sT%.2s:%.2s:%.2s+0000", t, t + 4, t + 6,
           t + 8, t + 10, t + 12);
}

void format_author_email(const char *user, char *out, size_t out_size) {
  if (out == nullptr || out_size == 0) return;
  char local[kLocalPartSize];
  size_t n = 0;
  for (const char *p = user != nullptr ? user : ""; *p != '\0' && n < kLocalPartSize - 1; ++p)
    if (kept_in_email(static_cast<unsigned char>(*p))) local[n++] = *p;
  local[n] = '\0';
  snprintf(out, out_size, "%s@%s", n != 0 ? local : "user", kAuthorEmailDomain);
}

std::string git_author_name(const char *user) {
  if (user == nullptr) return kDefaultAuthorName;
  size_t begin = 0, end = strlen(user);
  while (begin < end && trimmed_by_git(static_cast<unsigned char>(user[begin]))) ++begin;
  while (end > begin && trimmed_by_git(static_cast<unsigned char>(user[end - 1]))) --end;
  std::string name;
  for (size_t i = begin; i < end; ++i)
    if (user[i] != '<' && user[i] != '>' && user[i] != '\n') name += user[i];
  return name.empty() ? std::string(kDefaultAuthorName) : name;
}
