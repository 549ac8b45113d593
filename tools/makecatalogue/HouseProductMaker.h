#pragma once

#include "HouseProduct.h"

#include <QSet>
#include <QVector>

class SampleRandom;

// Invents the house catalogue: a few fixed products that demonstrations and tests rely on,
// then products spread over the families.
class HouseProductMaker
{
public:
    explicit HouseProductMaker(SampleRandom& random);

    QVector<HouseProduct> make(int count);
    // The fixed products come first; a catalogue needs at least this many.
    static int fixedProductCount();

private:
    QVector<HouseProduct> fixedProducts() const;
    HouseProduct inventProduct(int familyIndex);
    QString nextReference(int familyIndex);
    void fillFigures(HouseProduct& product);
    void assignNewReferences(QVector<HouseProduct>& products);

    SampleRandom& m_random;
    QSet<QString> m_usedReferences;
    QVector<int> m_referencesMade;
    int m_attachmentsMade = 0;
};
