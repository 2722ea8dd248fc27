#include "platform/ascii.h"

namespace ascii {

int casecmp(const char *a, const char *b) {
  const auto *x = reinterpret_cast<const unsigned char *>(a);
  const auto *y = reinterpret_cast<const unsigned char *>(b);
  for (;; ++x, ++y) {
    int d = to_lower(*x) - to_lower(*y);
    if (d != 0 || *x == 0) return d;
  }
}

}  // namespace ascii
