#pragma once

#include "ProductFamily.h"

#include <QVector>

// The product families of the sample catalogue.
class FamilyList
{
public:
    static const QVector<ProductFamily>& families();
    // Index into families(), or -1.
    static int indexOf(const QString& code);
    // A family code used by some cross-reference rows that has no FAMILIES row, as happens
    // in real catalogues when a family is withdrawn before its equivalences.
    static QString orphanCode();
};
