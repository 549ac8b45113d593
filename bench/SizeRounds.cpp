#include "SizeRounds.h"

#include "Median.h"

#include <algorithm>
#include <cmath>

namespace {

// A round that gave no figure does not count.
std::vector<double> given(const std::vector<double>& figures)
{
    std::vector<double> kept;
    std::copy_if(figures.begin(), figures.end(), std::back_inserter(kept),
                 [](double figure) { return !std::isnan(figure); });
    return kept;
}

double medianOfGiven(const std::vector<double>& figures)
{
    return medianOf(given(figures));
}

} // namespace

namespace SizeRounds {

SizeResult combine(const QList<SizeResult>& rounds)
{
    if (rounds.isEmpty())
        return {};
    SizeResult combined = rounds.first();
    for (Measurement& m : combined.measurements) {
        std::vector<double> program;
        std::vector<double> bare;
        std::vector<double> allowance;
        for (const SizeResult& round : rounds) {
            const Measurement* same = round.find(m.operation);
            m.correct = m.correct && same && same->correct;
            if (!same)
                continue;
            program.push_back(same->programMs);
            bare.push_back(same->bareMs);
            allowance.push_back(same->allowanceMs);
        }
        program = given(program);
        m.programMs = medianOf(program);
        m.bareMs = medianOfGiven(bare);
        m.allowanceMs = medianOfGiven(allowance);
        if (!program.empty()) {
            m.fastestMs = *std::min_element(program.begin(), program.end());
            m.slowestMs = *std::max_element(program.begin(), program.end());
        }
    }
    std::vector<double> peaks;
    std::vector<double> offers;
    for (const SizeResult& round : rounds) {
        combined.ok = combined.ok && round.ok && round.listSizes == combined.listSizes;
        peaks.push_back(round.peakKb < 0 ? NAN : double(round.peakKb));
        offers.push_back(round.offersKb < 0 ? NAN : double(round.offersKb));
    }
    const auto kb = [](double median) { return std::isnan(median) ? qint64(-1) : qint64(median); };
    combined.peakKb = kb(medianOfGiven(peaks));
    combined.offersKb = kb(medianOfGiven(offers));
    return combined;
}

} // namespace SizeRounds
