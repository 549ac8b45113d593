#pragma once

#include <QRandomGenerator>
#include <QStringList>

// Seeded source of random choices, so that the same options always give the same catalogue.
// Each part of the catalogue draws from its own stream, so that changing how many photos
// there are, for example, does not change the products or the cross-references.
class SampleRandom
{
public:
    SampleRandom(quint32 seed, quint32 stream);

    // A whole number from 0 to bound - 1.
    int below(int bound);
    // A whole number from low to high, both included.
    int between(int low, int high);
    // True with the given chance in per cent.
    bool chance(double percent);
    // A number from low to high whose logarithm is evenly spread, as prices and weights are.
    double logBetween(double low, double high);
    const QString& pick(const QStringList& choices);

private:
    QRandomGenerator m_generator;
};
