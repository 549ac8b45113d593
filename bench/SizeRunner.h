#pragma once

#include "Measurement.h"

#include <QList>
#include <QString>

// What one catalogue size gave.
struct SizeResult
{
    QString size;
    QList<Measurement> measurements;
    qint64 peakKb = -1;
    qint64 offersKb = -1; // held by the offer indexes at most, meanwhile
    QString listSizes;
    bool ok = false;

    // The operation's row, or null.
    const Measurement* find(const QString& operation) const;
};

// Runs the measurements of one catalogue in child processes, the timings in one and the
// memory run in another, so that each size has its own memory peak, then the openings of
// its Access copy `access`, and reads back what they found. A child writes one line per
// finding.
namespace SizeRunner {

SizeResult run(const QString& size, const QString& catalogue, const QString& access, int runs);

// The children's side: measure and write the lines; the process's exit code.
int childMain(const QString& catalogue, int runs);
int memoryMain(const QString& catalogue);

} // namespace SizeRunner
