#include "mw_git/git_identity.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string git_date(const char *timestamp, size_t size = kGitDateSize) {
  char out[kGitDateSize];
  memset(out, '#', sizeof out);
  format_git_date(timestamp, out, size);
  return out;
}

std::string email(const char *user, size_t size = kAuthorEmailSize) {
  char out[kAuthorEmailSize];
  format_author_email(user, out, size);
  return out;
}

TEST(FormatGitDate, WritesTheTimestampAsUtc) {
  EXPECT_EQ(git_date("20240131235959"), "2024-01-31T23:59:59+0000");
  EXPECT_EQ(git_date("20240131235959123"), "2024-01-31T23:59:59+0000");
  EXPECT_EQ(git_date("19700101000000"), "1970-01-01T00:00:00+0000");
  EXPECT_EQ(git_date("20991231235959"), "2099-12-31T23:59:59+0000");
  EXPECT_EQ(git_date("20240131235959", 11), "2024-01-31");
}

TEST(FormatGitDate, FallsBackWhereGitWouldRefuseTheDate) {
  const char *const cases[] = {
      nullptr,          "",
      "2024013123595",  // 13 bytes
      "19691231235959", "21000101000000",
      "2024-1-31 10:0", " 2024013123595",
      "2024013123595x", "20240001000000",
      "20241301000000", "20240100000000",
      "20240132000000", "20240131240000",
      "20240131236000", "20240131235960",
  };
  for (const char *ts : cases)
    EXPECT_EQ(git_date(ts), kFallbackGitDate) << (ts ? ts : "(null)");
}

TEST(GitAuthorName, ReducesTheNameAsGitWould) {
  const std::pair<const char *, const char *> cases[] = {
      {"Bob", "Bob"},
      {" Bob. ", "Bob"},
      {"J. R. Bob", "J. R. Bob"},
      {",;:\"'\\Name\\'\";:,", "Name"},
      {"\t\x01Tab\x1f", "Tab"},
      {"<Bob>", "Bob"},
      {"a<b>c", "abc"},
      {"x\ny", "xy"},
      {"Ann <ann@example.org>", "Ann ann@example.org"},
      {"J\xc3\xb6rg", "J\xc3\xb6rg"},
      {"...", kDefaultAuthorName},
      {"<>", kDefaultAuthorName},
      {" \n ", kDefaultAuthorName},
      {"", kDefaultAuthorName},
      {nullptr, kDefaultAuthorName},
  };
  for (const auto &[user, expected] : cases)
    EXPECT_EQ(git_author_name(user), expected) << (user ? user : "(null)");
}

TEST(FormatAuthorEmail, KeepsLettersDigitsDotsUnderscoresAndHyphens) {
  const std::pair<const char *, std::string> cases[] = {
      {"Bob", "Bob@wiki.invalid"},
      {"MediaWiki User", "MediaWikiUser@wiki.invalid"},
      {"a.b_c-d+e!f 9", "a.b_c-def9@wiki.invalid"},
      {"J\xc3\xb6rg", "Jrg@wiki.invalid"},
      {"\xe6\x97\xa5\xe6\x9c\xac", "user@wiki.invalid"},
      {"   ", "user@wiki.invalid"},
      {"", "user@wiki.invalid"},
  };
  for (const auto &[user, expected] : cases) EXPECT_EQ(email(user), expected) << user;
}

TEST(FormatAuthorEmail, CutsTheLocalPartAndTheOutput) {
  std::string user = std::string(100, 'a') + "!" + std::string(100, 'b');
  EXPECT_EQ(email(user.c_str()),
            std::string(100, 'a') + std::string(27, 'b') + "@wiki.invalid");
  EXPECT_EQ(email("Bob", 6), "Bob@w");
}

}  // namespace
