#pragma once

#include <QtGlobal>

// How much the sample catalogue holds; the same values always give the same file.
struct CatalogueSize
{
    int products = 3000;
    int relations = 30000;
    // Products that get a photo; negative means the default for the number of products.
    int photos = -1;
    quint32 seed = 1;
};
