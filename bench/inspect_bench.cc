// Inspects dump files and prints, for each, the reader's throughput beside
// that of a baseline command over the same (page-cached) file, measured in
// one run, and the process's peak memory. The baseline is `wc -l` (a
// memchr-speed pass over the bytes) or, for compressed dumps, `zcat`.
//
//   inspect_bench [--runs N] [--baseline wc|zcat] DUMP...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_util.h"
#include "mw_inspect/inspect.h"

int main(int argc, char **argv) {
  int runs = 3;
  std::string baseline = "wc";
  std::vector<std::string> dumps;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = atoi(argv[++i]);
    } else if (strcmp(argv[i], "--baseline") == 0 && i + 1 < argc) {
      baseline = argv[++i];
    } else {
      dumps.emplace_back(argv[i]);
    }
  }
  if (dumps.empty() || runs < 1 || (baseline != "wc" && baseline != "zcat")) {
    fprintf(stderr, "usage: inspect_bench [--runs N] [--baseline wc|zcat] DUMP...\n");
    return 2;
  }
  printf("%-40s %10s %10s %10s %8s %10s\n", "dump", "MB on disk",
         baseline == "wc" ? "wc -l MB/s" : "zcat MB/s", "tessel MB/s", "ratio",
         "peak MiB");
  for (const std::string &dump : dumps) {
    warm_page_cache(dump);
    const double mb = static_cast<double>(file_size_of(dump)) / 1e6;
    // Interleaved, best of each: both see the same machine state.
    double wc = 1e30, ours = 1e30;
    for (int r = 0; r < runs; ++r) {
      double t = baseline == "wc" ? time_command({"wc", "-l", dump})
                                  : time_command({"zcat", dump});
      if (t >= 0 && t < wc) wc = t;
      double start = now_seconds();
      char err[2048] = "";
      const char *report = mw_inspect_dump(dump.c_str(), err, sizeof err);
      double elapsed = now_seconds() - start;
      if (strcmp(report, "{}") == 0) {
        fprintf(stderr, "inspection of %s failed: %s\n", dump.c_str(), err);
        return 1;
      }
      if (elapsed < ours) ours = elapsed;
    }
    printf("%-40s %10.1f %10.1f %11.1f %7.2fx %10.1f\n", dump.c_str(), mb,
           mb / wc, mb / ours, ours / wc, peak_rss_mib());
  }
  return 0;
}
