#include "SampleRandom.h"

#include <cmath>

namespace {

QRandomGenerator seeded(quint32 seed, quint32 stream)
{
    const quint32 seeds[2] = {seed, stream};
    return QRandomGenerator(seeds, seeds + 2);
}

} // namespace

SampleRandom::SampleRandom(quint32 seed, quint32 stream) : m_generator(seeded(seed, stream)) {}

int SampleRandom::below(int bound)
{
    return bound <= 1 ? 0 : static_cast<int>(m_generator.bounded(static_cast<quint32>(bound)));
}

int SampleRandom::between(int low, int high)
{
    return low + below(high - low + 1);
}

bool SampleRandom::chance(double percent)
{
    return m_generator.generateDouble() * 100.0 < percent;
}

double SampleRandom::logBetween(double low, double high)
{
    const double position = m_generator.generateDouble();
    return std::exp(std::log(low) + position * (std::log(high) - std::log(low)));
}

const QString& SampleRandom::pick(const QStringList& choices)
{
    return choices.at(below(static_cast<int>(choices.size())));
}
