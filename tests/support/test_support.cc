#include "support/test_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char **environ;

namespace testing_support {

TempDir::TempDir() {
  const char *base = getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/tessel_test_XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) abort();
  path_ = buf.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void write_file(const std::string &path, const std::string &bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f) ADD_FAILURE() << "cannot write " << path;
}

std::string read_file(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

bool path_exists(const std::string &path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

namespace {

std::string drain(int fd) {
  std::string out;
  char buf[65536];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  return out;
}

}  // namespace

command_result run_command(const std::vector<std::string> &argv,
                           const std::vector<std::string> &extra_env) {
  command_result result;
  // Output goes to temporary files so that neither pipe can fill and stall.
  char out_name[] = "/tmp/tessel_cmd_out_XXXXXX";
  char err_name[] = "/tmp/tessel_cmd_err_XXXXXX";
  int out_fd = mkstemp(out_name);
  int err_fd = mkstemp(err_name);
  unlink(out_name);
  unlink(err_name);

  std::vector<std::string> env_strings;
  for (char **e = environ; *e != nullptr; ++e) env_strings.emplace_back(*e);
  for (const auto &e : extra_env) {
    std::string name = e.substr(0, e.find('=') + 1);
    std::erase_if(env_strings, [&](const std::string &s) { return s.rfind(name, 0) == 0; });
    env_strings.push_back(e);
  }
  std::vector<char *> envp;
  for (auto &s : env_strings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<char *> args;
  std::vector<std::string> argv_copy = argv;
  for (auto &a : argv_copy) args.push_back(a.data());
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
  pid_t pid = 0;
  // PATH lookup uses the child's PATH when extra_env sets one.
  std::string path_env;
  for (auto &s : env_strings)
    if (s.rfind("PATH=", 0) == 0) path_env = s.substr(5);
  std::string old_path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", path_env.c_str(), 1);
  int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  setenv("PATH", old_path.c_str(), 1);
  posix_spawn_file_actions_destroy(&actions);
  if (rc == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  }
  lseek(out_fd, 0, SEEK_SET);
  lseek(err_fd, 0, SEEK_SET);
  result.out = drain(out_fd);
  result.err = drain(err_fd);
  close(out_fd);
  close(err_fd);
  return result;
}

std::string git_out(const std::string &dir, const std::vector<std::string> &args,
                    const std::vector<std::string> &extra_env) {
  std::vector<std::string> argv = {"git", "-C", dir};
  argv.insert(argv.end(), args.begin(), args.end());
  command_result r = run_command(argv, extra_env);
  if (r.exit_code != 0) ADD_FAILURE() << "git failed: " << r.err;
  return r.out;
}

std::string real_world_dir() {
  std::string dir = TESSEL_REAL_WORLD_DIR;
  struct stat st {};
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? dir : "";
}

}  // namespace testing_support
