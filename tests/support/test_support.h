// Helpers shared by the tests: temporary directories, files, and running a
// program to read its output.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// A fresh directory under $TMPDIR (or /tmp), removed with its contents when
// the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &path() const { return path_; }
  std::string operator/(const std::string &name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void write_file(const std::string &path, const std::string &bytes);
std::string read_file(const std::string &path);
bool path_exists(const std::string &path);

struct command_result {
  int exit_code = -1;  // -1 when the program could not be run or was killed
  std::string out;     // standard output
  std::string err;     // standard error
};

// Runs argv[0] (searched in PATH) with argv, standard input from /dev/null.
// extra_env entries ("NAME=value") are added to the environment.
command_result run_command(const std::vector<std::string> &argv,
                           const std::vector<std::string> &extra_env = {});

// Runs git -C dir args... and returns its standard output; fails the current
// test when git exits non-zero.
std::string git_out(const std::string &dir, const std::vector<std::string> &args,
                    const std::vector<std::string> &extra_env = {});

// The real-world dumps folder beside the project, or "" when absent.
std::string real_world_dir();

}  // namespace testing_support
