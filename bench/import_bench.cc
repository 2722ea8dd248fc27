// Imports one dump into a fresh repository and prints revisions per second
// and peak memory, then, on the repository just made, the cost of plain
// `git add` + `git commit` pairs: the floor under any importer that makes
// one commit per revision with git's command-line tool.
//
//   import_bench DUMP [WORK_DIR]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_util.h"
#include "mw_api/import.h"

namespace {

constexpr int kBaselinePairs = 100;

// Seconds for one add+commit pair, measured on the imported repository.
double git_pair_seconds(const std::string &repo) {
  const std::string file = repo + "/tessel_bench_baseline.txt";
  double total = 0;
  for (int i = 0; i < kBaselinePairs; ++i) {
    FILE *f = fopen(file.c_str(), "w");
    if (f == nullptr) return -1;
    fprintf(f, "baseline %d\n", i);
    fclose(f);
    double add = time_command({"git", "-C", repo, "add", "--", "tessel_bench_baseline.txt"});
    double commit = time_command({"git", "-C", repo, "-c", "commit.gpgsign=false", "commit",
                                  "--allow-empty", "--no-verify", "-q", "-m", "baseline"});
    if (add < 0 || commit < 0) return -1;
    total += add + commit;
  }
  return total / kBaselinePairs;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: import_bench DUMP [WORK_DIR]\n");
    return 2;
  }
  const std::string dump = argv[1];
  const std::string work = argc > 2 ? argv[2] : "/tmp/tessel_import_bench";
  const std::string repo = work + "/wiki";
  std::filesystem::remove_all(repo);
  std::filesystem::create_directories(work);

  mw_import_summary summary;
  mw_import_options options;
  options.summary = &summary;
  char err[2048] = "";
  double start = now_seconds();
  if (mw_import_dump(dump.c_str(), repo.c_str(), nullptr, err, sizeof err, &options) != 0) {
    fprintf(stderr, "import failed: %s\n", err);
    return 1;
  }
  double elapsed = now_seconds() - start;
  double peak = peak_rss_mib();
  double pair = git_pair_seconds(repo);
  if (pair < 0) {
    fprintf(stderr, "baseline git commands failed\n");
    return 1;
  }
  const double per_revision = elapsed / static_cast<double>(summary.revisions);
  printf("%-28s revisions %7llu  time %8.2f s  %7.1f rev/s  peak %6.1f MiB  "
         "git pair %6.2f ms  per revision %6.2f ms  overhead %+5.1f%%\n",
         dump.c_str(), static_cast<unsigned long long>(summary.revisions), elapsed,
         static_cast<double>(summary.revisions) / elapsed, peak, pair * 1e3,
         per_revision * 1e3, (per_revision / pair - 1) * 100);
  return 0;
}
