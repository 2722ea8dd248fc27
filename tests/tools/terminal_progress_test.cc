// The import as seen from an interactive shell: standard error is a
// terminal, and the progress display must appear and then leave it clean.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/test_support.h"
#include "tools/pty_session.h"
#include "tools/terminal_screen.h"
#include "tools/tool_runs.h"

namespace {

using testing_support::TempDir;

// A terminal the display may draw on, whatever the test runner's TERM is.
const std::vector<std::string> kTerminalEnv = {"TERM=xterm"};

std::string screen_text(const terminal_screen &s) {
  std::string all;
  for (const std::string &line : s.lines) all += line + "\n";
  return all;
}

// What the user is left with: no progress text, no stray control sequence,
// and the cursor at the start of an empty last line.
void expect_clean(const terminal_screen &screen) {
  const std::string text = screen_text(screen);
  EXPECT_TRUE(screen.unexpected.empty()) << "stray sequence: " << screen.unexpected.front();
  EXPECT_FALSE(contains(text, "Reading "));
  EXPECT_FALSE(contains(text, "Revision "));
  EXPECT_EQ(screen.lines.back(), "");
  EXPECT_EQ(screen.cursor_column, 0u);
}

// The output up to the erasing of the progress line; what follows (the
// summary or an error) is ordinary text that may wrap.
std::string progress_part(const std::string &output) {
  const size_t erased = output.rfind("\r\033[K");
  return erased == std::string::npos ? "" : output.substr(0, erased);
}

std::string writing_start() {
  return "\rRevision 0 of " + std::to_string(sample_total("total_revisions")) + " (0%)";
}

TEST(TerminalProgress, ShowsReadingAndWritingThenLeavesOnlyTheSummary) {
  TempDir dir;
  const pty_run r =
      run_on_terminal({tool_path(), "import", sample_dump(), dir / "wiki"}, 80, 24, kTerminalEnv);
  ASSERT_EQ(r.exit_code, 0) << r.output;
  EXPECT_TRUE(std::regex_search(r.output, std::regex("\rReading ([0-9.]+ kB) of \\1 \\(100%\\)")));
  EXPECT_TRUE(contains(r.output, writing_start() + "\033[K"));
  const terminal_screen screen = replay(r.output);
  expect_clean(screen);
  EXPECT_LT(replay(progress_part(r.output)).widest, 80u) << "the last column makes some terminals wrap";
  EXPECT_EQ(screen.lines.front().rfind("Imported ", 0), 0u) << screen_text(screen);
  EXPECT_TRUE(contains(screen_text(screen), "  commits:"));
}

TEST(TerminalProgress, NarrowTerminalGetsLinesCutToItsWidth) {
  TempDir dir;
  const pty_run r =
      run_on_terminal({tool_path(), "import", sample_dump(), dir / "wiki"}, 24, 24, kTerminalEnv);
  ASSERT_EQ(r.exit_code, 0) << r.output;
  EXPECT_TRUE(std::regex_search(r.output, std::regex("\rReading [0-9.]+ kB of [0-9.]+\033\\[K")))
      << "cut to 23 columns";
  EXPECT_TRUE(contains(r.output, writing_start().substr(0, 24) + "\033[K"));
  expect_clean(replay(r.output));
  EXPECT_LT(replay(progress_part(r.output)).widest, 24u);
}

TEST(TerminalProgress, FailureIsReportedOnACleanLine) {
  TempDir dir;
  // The texts cannot be spooled under a regular file: the import fails
  // once the dump has been read.
  testing_support::write_file(dir / "file", "");
  const pty_run r = run_on_terminal({tool_path(), "import", sample_dump(), dir / "file/wiki"},
                                    80, 24, kTerminalEnv);
  EXPECT_EQ(r.exit_code, 1) << r.output;
  EXPECT_TRUE(contains(r.output, "\rReading "));
  const terminal_screen screen = replay(r.output);
  expect_clean(screen);
  ASSERT_GE(screen.lines.size(), 2u);
  EXPECT_EQ(screen.lines[screen.lines.size() - 2].rfind("tessel: ", 0), 0u) << screen_text(screen);
}

TEST(TerminalProgress, NoneAndQuietDrawNothingEvenOnATerminal) {
  for (const char *option : {"--progress=none", "--quiet"}) {
    TempDir dir;
    const pty_run r = run_on_terminal({tool_path(), "import", option, sample_dump(), dir / "wiki"},
                                      80, 24, kTerminalEnv);
    EXPECT_EQ(r.exit_code, 0) << option;
    EXPECT_EQ(r.output.find('\033'), std::string::npos) << option << ": " << r.output;
    EXPECT_FALSE(contains(r.output, "Reading ")) << option;
  }
}

TEST(TerminalProgress, DumbTerminalGetsNoRedrawing) {
  TempDir dir;
  const pty_run r = run_on_terminal({tool_path(), "import", sample_dump(), dir / "wiki"}, 80, 24,
                                    {"TERM=dumb"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.output.find('\033'), std::string::npos) << r.output;
  EXPECT_TRUE(contains(r.output, "Imported "));
}

}  // namespace
