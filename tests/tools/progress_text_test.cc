#include "tessel/progress_text.h"

#include <gtest/gtest.h>

#include "tessel/display_text.h"

namespace {

TEST(FormatCount, GroupsThousands) {
  EXPECT_EQ(format_count(0), "0");
  EXPECT_EQ(format_count(999), "999");
  EXPECT_EQ(format_count(1000), "1,000");
  EXPECT_EQ(format_count(1234567), "1,234,567");
}

TEST(FormatBytes, ShowsThreeFiguresInDecimalUnits) {
  const std::pair<uint64_t, const char *> cases[] = {
      {0, "0 B"},          {999, "999 B"},           {1000, "1.00 kB"},
      {11787, "11.8 kB"},  {999499, "999 kB"},       {999500, "1.00 MB"},
      {4200000000, "4.20 GB"}, {UINT64_MAX, "18.4 EB"},
  };
  for (const auto &[bytes, text] : cases) EXPECT_EQ(format_bytes(bytes), text) << bytes;
}

TEST(FormatTime, LeftToTheSecondTakenToTheTenthBelowAMinute) {
  const std::pair<int64_t, const char *> left[] = {
      {-5, "0s"},        {0, "0s"},          {59, "59s"},        {60, "1m 00s"},
      {250, "4m 10s"},   {3599, "59m 59s"},  {3600, "1h 00m"},   {7500, "2h 05m"},
      {360000, "100h 00m"},
  };
  for (const auto &[seconds, text] : left) EXPECT_EQ(format_time_left(seconds), text) << seconds;
  const std::pair<int64_t, const char *> taken[] = {
      {0, "0.0 s"}, {420, "0.4 s"}, {59949, "59.9 s"}, {59950, "1m 00s"}, {250000, "4m 10s"},
  };
  for (const auto &[ms, text] : taken) EXPECT_EQ(format_time_taken(ms), text) << ms;
}

TEST(ReadingLine, ShowsPercentageOnlyAgainstAKnownSize) {
  EXPECT_EQ(reading_line({4200000, 11800000, 1000}), "Reading 4.20 MB of 11.8 MB (35%)  4.2 MB/s");
  EXPECT_EQ(reading_line({11800000, 11800000, 2000}), "Reading 11.8 MB of 11.8 MB (100%)  5.9 MB/s");
  EXPECT_EQ(reading_line({5000, 0, 0}), "Reading 5.00 kB");
  // More bytes than the size known at the start: the file grew meanwhile.
  EXPECT_EQ(reading_line({3000, 2000, 0}), "Reading 3.00 kB");
}

writing_figures revision_figures(std::string_view title) {
  writing_figures f;
  f.done = 1234;
  f.total = 5000;
  f.percent = 24;
  f.commits_per_second = 310.4;
  f.seconds_left = 12;
  f.title = title;
  return f;
}

TEST(WritingLine, NamesTheKindOfCommitWithRateEstimateAndTitle) {
  EXPECT_EQ(writing_line(revision_figures("Main_Page"), 0),
            "Revision 1,234 of 5,000 (24%)  310/s  ETA 12s  Main_Page");
  writing_figures f = revision_figures("");
  f.empty_pages = true;
  f.commits_per_second = -1;
  f.seconds_left = -1;
  EXPECT_EQ(writing_line(f, 0), "Empty page 1,234 of 5,000 (24%)");
}

TEST(WritingLine, FitsTheWidthByCuttingTheTitleThenDroppingItThenTheRateThenCuttingTheRest) {
  const std::string fixed = "Revision 1,234 of 5,000 (24%)  310/s  ETA 12s";
  const std::string wide_first = "\xe7\x81\xab\xe5\xb1\xb1_Mount_Etna";  // 火山_Mount_Etna
  const std::string wide_later = "Etna_\xe7\x81\xab";                   // Etna_火
  EXPECT_EQ(writing_line(revision_figures(wide_first), fixed.size() + 2 + 4),
            fixed + "  \xe7\x81\xab\xe5\xb1\xb1");
  EXPECT_EQ(writing_line(revision_figures(wide_first), fixed.size() + 2 + 5),
            fixed + "  \xe7\x81\xab\xe5\xb1\xb1_");
  EXPECT_EQ(writing_line(revision_figures(wide_later), fixed.size() + 2 + 6), fixed + "  Etna_");
  // Fewer than four columns left: no title at all rather than a stub.
  EXPECT_EQ(writing_line(revision_figures(wide_first), fixed.size() + 5), fixed);
  const std::string without_rate = "Revision 1,234 of 5,000 (24%)  ETA 12s";
  // Without the rate, the room it leaves goes to the title.
  EXPECT_EQ(writing_line(revision_figures(wide_first), fixed.size() - 1),
            without_rate + "  \xe7\x81\xab\xe5\xb1\xb1");
  EXPECT_EQ(writing_line(revision_figures(wide_first), without_rate.size()), without_rate);
  EXPECT_EQ(writing_line(revision_figures(wide_first), 20), without_rate.substr(0, 20));
}

}  // namespace
