/* The shared library is the core's exported functions and nothing more;
 * this unit only makes sure the public header stays valid C. */
#include "tessel.h"
