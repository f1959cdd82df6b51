// SPDX-License-Identifier: MIT
// The catalogue's tables as the program links them: generated at build time, read-only.
#include "catalogue_data.inc"
