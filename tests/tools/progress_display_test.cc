#include "tessel/progress_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tessel/display_text.h"

namespace {

// The display's world: a clock the test moves and a record of every write.
struct fake_output {
  int64_t now = 1000000;
  size_t columns = 200;
  std::vector<std::string> writes;

  progress_output make() {
    return {[this](std::string_view s) { writes.emplace_back(s); },
            [this] { return columns; }, [this] { return now; }};
  }
  std::string last() const { return writes.empty() ? "" : writes.back(); }
};

TEST(ProgressDisplay, RedrawsAtMostTenTimesASecond) {
  fake_output out;
  progress_display d(progress_style::redraw, 100 << 20, out.make());
  d.read(65536);
  ASSERT_EQ(out.writes.size(), 1u);
  for (int i = 2; i <= 50; ++i) {  // 50 blocks within 99 ms
    out.now += 2;
    d.read(65536u * i);
  }
  EXPECT_EQ(out.writes.size(), 1u);
  out.now += 2;
  d.read(65536u * 51);
  EXPECT_EQ(out.writes.size(), 2u);

  d.scanned(1000, 10);  // the start of the writing is always shown
  EXPECT_EQ(out.writes.size(), 3u);
  for (int r = 1; r <= 1000; ++r) {  // one commit a millisecond
    ++out.now;
    d.committed(1, r, "P");
  }
  EXPECT_EQ(out.writes.size(), 3u + 10u);
}

TEST(ProgressDisplay, RedrawnLinesStartWithReturnAndEndByErasingTheRest) {
  fake_output out;
  progress_display d(progress_style::redraw, 200000, out.make());
  d.read(65536);
  EXPECT_EQ(out.last(), "\rReading 65.5 kB of 200 kB (32%)\033[K");
  out.now += 1000;
  d.read(131072);
  EXPECT_EQ(out.last(), "\rReading 131 kB of 200 kB (65%)  0.1 MB/s\033[K");
}

TEST(ProgressDisplay, EstimatesFromTheRateAndCountsUntouchedPagesAsCommitsToCome) {
  fake_output out;
  progress_display d(progress_style::redraw, 0, out.make());
  d.scanned(100, 10);
  EXPECT_EQ(out.last(), "\rRevision 0 of 100 (0%)\033[K");
  for (int r = 1; r <= 40; ++r) {  // 20 commits a second, 5 pages touched
    out.now += 50;
    d.committed(r <= 5 ? r : 5, r, "Mount_Etna");
  }
  // Left: 60 revisions and up to 5 pages that no revision touched yet.
  EXPECT_EQ(out.last(),
            "\rRevision 40 of 100 (38%)  20/s  ETA 4s  Mount_Etna\033[K");
}

TEST(ProgressDisplay, CountsTheInitializeCommitsOfPagesWithoutRevisions) {
  fake_output out;
  progress_display d(progress_style::redraw, 0, out.make());
  d.scanned(2, 5);
  d.committed(1, 1, "A");
  d.committed(2, 2, "B");
  out.now += 200;
  d.committed(3, 2, "C");  // the revision count stays: an "Initialize" commit
  EXPECT_EQ(out.last(), "\rEmpty page 1 of 3 (60%)  C\033[K");
  out.now += 200;
  d.committed(4, 2, "D");
  EXPECT_EQ(out.last(), "\rEmpty page 2 of 3 (80%)  D\033[K");
  EXPECT_EQ(d.commits(), 4u);
}

TEST(ProgressDisplay, KeepsEveryLineWithinTheTerminalAndTitlesHarmless) {
  fake_output out;
  out.columns = 40;
  progress_display d(progress_style::redraw, 5000000000, out.make());
  d.read(65536);
  d.scanned(3, 3);
  out.now += 200;
  d.committed(1, 1, "\x1b]0;owned\x07_Mount");  // would set the window title
  out.now += 200;
  d.committed(2, 2, "\xe7\x81\xab\xe5\xb1\xb1\xe7\x81\xab\xe5\xb1\xb1\xe7\x81\xab\xe5\xb1\xb1_Zo\xc3\xab");
  ASSERT_EQ(out.writes.size(), 4u);
  for (const std::string &w : out.writes) {
    ASSERT_EQ(w.front(), '\r');
    ASSERT_EQ(w.substr(w.size() - 3), "\033[K");
    const std::string visible = w.substr(1, w.size() - 4);
    EXPECT_EQ(printable_text(visible), visible) << "a control byte or broken UTF-8 in " << w;
    EXPECT_LE(text_columns(visible), 39u) << w;  // the last column stays free
  }
  EXPECT_NE(out.writes[2].find("  ?]0;owne"), std::string::npos) << out.writes[2];
  EXPECT_NE(out.writes[3].find("  \xe7\x81\xab"), std::string::npos) << out.writes[3];
}

TEST(ProgressDisplay, FinishErasesTheLineOnceAndOnlyWhenOneWasDrawn) {
  fake_output out;
  {
    progress_display d(progress_style::redraw, 0, out.make());
    d.finish();
    EXPECT_TRUE(out.writes.empty());
    d.read(10);
    d.finish();
    EXPECT_EQ(out.last(), "\r\033[K");
    d.finish();
    EXPECT_EQ(out.writes.size(), 2u);
    d.read(20000000);  // a while later: shown again, then left to the destructor
    out.now += 1000;
    d.read(30000000);
  }
  EXPECT_EQ(out.last(), "\r\033[K");
}

TEST(ProgressDisplay, PlainWritesWholeLinesEveryFewSecondsAndTheEndOfReading) {
  fake_output out;
  {
    progress_display d(progress_style::plain, 1000000, out.make());
    for (int i = 1; i <= 10; ++i) {  // a block every second
      d.read(65536u * i);
      out.now += 1000;
    }
    d.scanned(3, 2);
    d.committed(1, 1, "A");
  }
  ASSERT_EQ(out.writes.size(), 4u);
  EXPECT_EQ(out.writes[0], "Reading 65.5 kB of 1.00 MB (6%)\n");
  EXPECT_EQ(out.writes[1], "Reading 393 kB of 1.00 MB (39%)  0.1 MB/s\n");
  EXPECT_EQ(out.writes[2], "Reading 655 kB of 1.00 MB (65%)  0.1 MB/s\n");
  EXPECT_EQ(out.writes[3], "Revision 0 of 3 (0%)\n");
}

TEST(ProgressDisplay, NoneWritesNothingButStillCountsCommits) {
  fake_output out;
  {
    progress_display d(progress_style::none, 1000, out.make());
    d.read(1000);
    d.scanned(1, 1);
    d.committed(1, 1, "A");
    d.committed(2, 1, "B");
    d.finish();
    EXPECT_EQ(d.commits(), 2u);
  }
  EXPECT_TRUE(out.writes.empty());
}

}  // namespace
