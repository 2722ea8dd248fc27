// The two commands. Each returns the tool's exit status and has printed
// its result, or its failure as "tessel: <message>" on standard error.
#pragma once

#include "tessel/command_line.h"

int run_inspect(const invocation &what);
int run_import(const invocation &what);

// "tessel: <message>" and a line feed on standard error.
void print_failure(const std::string &message);
