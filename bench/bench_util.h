// Timing and memory figures shared by the benchmark programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

double now_seconds();

// Peak resident memory of this process so far, in MiB.
double peak_rss_mib();

// Runs argv (searched in PATH) with standard output discarded and returns
// its wall-clock time in seconds, or a negative value when it failed.
double time_command(const std::vector<std::string> &argv);

// Reads a whole file once so that the timed runs see it in the page cache.
void warm_page_cache(const std::string &path);

uint64_t file_size_of(const std::string &path);
