// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"

#include <cstddef>

// The catalogue's content as compiled-in tables, each sorted by number. The source file that
// defines them is generated at build time from the files in this folder.
namespace CatalogueTables {

struct StringEntry
{
    int number;
    const char16_t *text;
    int size;
};

struct BlobEntry
{
    int number;
    const unsigned char *data;
    int size;
};

extern const StringEntry strings[];
extern const std::size_t stringCount;
extern const BlobEntry bitmaps[];
extern const std::size_t bitmapsCount;
extern const BlobEntry icons[];
extern const std::size_t iconsCount;

// Test seam, null in the program: an item for which it answers true counts as missing. Only
// the tests' helper library (catalogue/testing/) sets it.
extern bool (*isHidden)(CatalogueKind kind, int number);

} // namespace CatalogueTables
