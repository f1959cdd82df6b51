// SPDX-License-Identifier: MIT
#include "hiddenitem.h"

#include "catalogue_tables.h"

namespace {
CatalogueKind hiddenKind = CatalogueKind::String;
int hiddenNumber = -1;

bool isHiddenItem(CatalogueKind kind, int number)
{
    return kind == hiddenKind && number == hiddenNumber;
}
} // namespace

void hideCatalogueItem(CatalogueKind kind, int number)
{
    hiddenKind = kind;
    hiddenNumber = number;
    CatalogueTables::isHidden = isHiddenItem;
}

void restoreCatalogue()
{
    CatalogueTables::isHidden = nullptr;
}
