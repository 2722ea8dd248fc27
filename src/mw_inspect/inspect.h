#pragma once

#include <cstddef>

// Scans the dump once in count-only mode and returns its JSON report in a
// static buffer that the next inspection overwrites, or the constant "{}"
// after a failure (message in err by the usual convention).
const char *mw_inspect_dump(const char *sql_path, char *err, size_t err_size);
