// The platform helpers: byte classes that no locale changes, bounded text
// copies and messages, and directory creation.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "platform/ascii.h"
#include "platform/platform.h"
#include "support/test_support.h"

namespace {

using testing_support::TempDir;

bool is_dir(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(Ascii, HighBytesAreNeverSpaceLettersOrDigitsWhateverTheLocale) {
  // A Latin-1 or UTF-8 locale, where the C library may call 0xA0, 0xC9 or
  // 0xE9 a space or a letter, when the machine has one.
  const char *previous = setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const char *name : {"C.UTF-8", "en_US.ISO-8859-1", "de_DE.ISO-8859-1", "C"})
    if (setlocale(LC_ALL, name) != nullptr) break;
  for (int c = 0x80; c <= 0xFF; ++c) {
    EXPECT_FALSE(ascii::is_space(c)) << c;
    EXPECT_FALSE(ascii::is_alpha(c)) << c;
    EXPECT_FALSE(ascii::is_digit(c)) << c;
    EXPECT_FALSE(ascii::is_ident(c)) << c;
    EXPECT_EQ(ascii::to_lower(c), c) << c;
  }
  EXPECT_FALSE(ascii::iequals("\xC9", "\xE9"));
  setlocale(LC_ALL, saved.c_str());
}

TEST(Ascii, SpaceIsExactlyTheSixCLocaleBytes) {
  std::string spaces;
  for (int c = 0; c < 256; ++c)
    if (ascii::is_space(c)) spaces.push_back(static_cast<char>(c));
  EXPECT_EQ(spaces, "\t\n\v\f\r ");
  EXPECT_TRUE(ascii::is_ident('_'));
  EXPECT_TRUE(ascii::is_ident('$'));
  EXPECT_FALSE(ascii::is_alpha('_'));
  EXPECT_FALSE(ascii::is_ident('-'));
}

TEST(Ascii, CaseInsensitiveComparison) {
  const struct {
    const char *a, *b;
    int sign;
  } cases[] = {
      {"PAGE", "page", 0}, {"Rev_Id", "rEV_iD", 0}, {"", "", 0}, {"page", "pages", -1},
      {"pages", "page", 1}, {"A", "b", -1}, {"[", "a", -1},  // '[' lies between 'Z' and 'a'
  };
  for (const auto &c : cases) {
    const int d = ascii::casecmp(c.a, c.b);
    EXPECT_EQ((d > 0) - (d < 0), c.sign) << c.a << " " << c.b;
    EXPECT_EQ(ascii::iequals(c.a, c.b), c.sign == 0) << c.a << " " << c.b;
  }
}

TEST(Platform, CopyCutKeepsAtMostSizeLessOneBytes) {
  char field[6];
  copy_cut(field, sizeof field, "abcdefgh");
  EXPECT_STREQ(field, "abcde");
  copy_cut(field, sizeof field, "abcde");
  EXPECT_STREQ(field, "abcde");
  copy_cut(field, sizeof field, "");
  EXPECT_STREQ(field, "");
  copy_cut(field, 1, "abc");
  EXPECT_STREQ(field, "");
}

TEST(Platform, WriteMessageFollowsTheBufferConvention) {
  char err[8] = "keep";
  write_message(err, 0, "never %s", "written");
  EXPECT_STREQ(err, "keep");
  write_message(nullptr, 100, "nowhere");
  write_message(err, sizeof err, "Failed: %s", "/a/long/path");
  EXPECT_STREQ(err, "Failed:");
  write_message(err, 1, "x");
  EXPECT_STREQ(err, "");
}

TEST(Platform, MkdirPCreatesEveryParent) {
  TempDir dir;
  const std::string deep = dir / "a/b/c";
  EXPECT_EQ(ov_mkdir_p(deep.c_str()), 0);
  EXPECT_TRUE(is_dir(deep));
  // An existing directory is a failure of the last step, and harmless.
  EXPECT_EQ(ov_mkdir_p(deep.c_str()), -1);
  EXPECT_TRUE(is_dir(deep));
  EXPECT_EQ(ov_mkdir_p(nullptr), -1);
}

TEST(Platform, MkdirPCutsAtBackslashesToo) {
  TempDir dir;
  EXPECT_EQ(ov_mkdir_p((dir / "x\\y").c_str()), 0);
  EXPECT_TRUE(is_dir(dir / "x"));
  EXPECT_TRUE(is_dir(dir / "x\\y"));
}

TEST(Platform, MkdirPTakesPathsLongerThan1024Bytes) {
  TempDir dir;
  std::string deep = dir.path();
  while (deep.size() < 1500) deep += "/" + std::string(100, 'd');
  EXPECT_EQ(ov_mkdir_p(deep.c_str()), 0);
  EXPECT_TRUE(is_dir(deep));
}

TEST(Platform, SetenvOverwrites) {
  ASSERT_EQ(ov_setenv("TESSEL_PLATFORM_TEST_VAR", "one"), 0);
  ASSERT_EQ(ov_setenv("TESSEL_PLATFORM_TEST_VAR", "two"), 0);
  EXPECT_STREQ(getenv("TESSEL_PLATFORM_TEST_VAR"), "two");
  unsetenv("TESSEL_PLATFORM_TEST_VAR");
}

}  // namespace
