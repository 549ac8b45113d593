#pragma once

#include <QList>
#include <QString>

// A sample catalogue the benchmark runs on, made by the generator on first use and kept in
// the build folder. The file name carries a digest of the schema's indexes, so that a
// catalogue made with other indexes is made again rather than reused.
struct BenchCatalogue
{
    QString name;
    int products = 0;
    int relations = 0;

    static QList<BenchCatalogue> all();

    // The catalogue's file, made with `generator` in `folder` when missing; empty on failure.
    QString ensure(const QString& folder, const QString& generator) const;
};
