// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"

#include <span>

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

extern const std::span<const StringEntry> strings;
extern const std::span<const BlobEntry> bitmaps;
extern const std::span<const BlobEntry> icons;

} // namespace CatalogueTables
