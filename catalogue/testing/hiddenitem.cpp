// SPDX-License-Identifier: MIT
// The catalogue's tables as the tests link them: the generated tables compiled once more, here
// writable, so that an item can be taken out of its table while the lookups stay as shipped.

#define CATALOGUE_TABLE // writable
#include "catalogue_data.inc"

#include "hiddenitem.h"

#include <climits>
#include <utility>

namespace {

int *hiddenNumber = nullptr; // the taken entry's number, and the number it had
int hiddenWas = 0;

// The entry takes the number of the one before it (the lowest number, if it is the first): the
// table stays sorted, a look-up of the number before still finds its own entry first, and no
// entry answers to the taken number any more.
template <typename Entry> int *take(std::span<Entry> table, int number)
{
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (table[k].number == number) {
            table[k].number = k ? table[k - 1].number : INT_MIN;
            return &table[k].number;
        }
    }
    return nullptr;
}

} // namespace

void hideCatalogueItem(CatalogueKind kind, int number)
{
    using namespace CatalogueTables;
    restoreCatalogue();
    hiddenWas = number;
    if (kind == CatalogueKind::String)
        hiddenNumber = take(std::span(stringTable, stringCount), number);
    else if (kind == CatalogueKind::Bitmap)
        hiddenNumber = take(std::span(bitmapTable, bitmapCount), number);
    else
        hiddenNumber = take(std::span(iconTable, iconCount), number);
}

void restoreCatalogue()
{
    if (hiddenNumber)
        *std::exchange(hiddenNumber, nullptr) = hiddenWas;
}
