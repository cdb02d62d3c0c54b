#pragma once

#include "graphics/image.h"

// The resampling kernels: the value at distance x and how far each reaches.
double FilterValue(clFilter filter, double x);
double FilterSupport(clFilter filter);
// A filter by its stored number; numbers without a filter give Lanczos-3.
clFilter FilterFromNumber(int number);
