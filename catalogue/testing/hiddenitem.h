// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"

// For tests only: makes one item look missing, as if the catalogue did not hold it, until
// restoreCatalogue() is called, so that every error path can be driven.
void hideCatalogueItem(CatalogueKind kind, int number);
void restoreCatalogue();
