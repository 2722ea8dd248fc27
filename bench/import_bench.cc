// Imports one dump into a fresh repository and prints revisions per second
// and peak memory, then the cost of as many plain `git add` + `git commit`
// pairs in another fresh repository: the floor under any importer that makes
// one commit per revision with git's command-line tool (git's automatic
// garbage collection included, which both see at the same rate).
//
//   import_bench DUMP [WORK_DIR]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_util.h"
#include "mw_api/import.h"

namespace {

// Mean seconds of one add+commit pair over `pairs` pairs in a new
// repository. The pairs cycle over `files` files, so that git's index and
// trees grow as the import's do, and each commits the dump's mean bytes per
// revision, cut from the dump itself, so that git hashes and compresses text
// like the import's.
double git_pair_seconds(const std::string &repo, const std::string &dump,
                        uint64_t bytes_per_revision, uint64_t pairs, uint64_t files) {
  std::filesystem::remove_all(repo);
  std::filesystem::create_directories(repo);
  if (time_command({"git", "-C", repo, "init", "-q"}) < 0) return -1;
  std::unique_ptr<FILE, int (*)(FILE *)> source(fopen(dump.c_str(), "rb"), fclose);
  if (!source) return -1;
  std::string chunk(bytes_per_revision, '\0');
  double total = 0;
  for (uint64_t i = 0; i < pairs; ++i) {
    size_t got = fread(chunk.data(), 1, chunk.size(), source.get());
    const std::string name = "page_" + std::to_string(i % files) + ".wiki";
    FILE *f = fopen((repo + "/" + name).c_str(), "wb");
    if (f == nullptr) return -1;
    fwrite(chunk.data(), 1, got, f);
    fclose(f);
    double add = time_command({"git", "-C", repo, "add", "--", name});
    double commit = time_command({"git", "-C", repo, "-c", "commit.gpgsign=false", "-c",
                                  "user.name=Baseline", "-c", "user.email=baseline@wiki.invalid",
                                  "commit", "--allow-empty", "--no-verify", "-q", "-m",
                                  "baseline"});
    if (add < 0 || commit < 0) return -1;
    total += add + commit;
  }
  return total / static_cast<double>(pairs);
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
  double pair = git_pair_seconds(work + "/baseline", dump,
                                 file_size_of(dump) / summary.revisions, summary.revisions,
                                 summary.pages);
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
