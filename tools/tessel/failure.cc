#include <cstdio>
#include <string>

#include "tessel/commands.h"

void print_failure(const std::string &message) {
  fprintf(stderr, "tessel: %s\n", message.c_str());
}
