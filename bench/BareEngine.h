#pragma once

#include "catalogue/engine/Connection.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

// The catalogue read straight through the engine's C interface, with the program's own
// SQL texts: what the engine itself can do, to set beside the program's times.
class BareEngine
{
public:
    explicit BareEngine(const QString& path);

    bool isOpen() const { return m_connection.isOpen(); }

    // The queries of an opening, on a connection of their own: the count, the five lists
    // and the version row. False when one of them fails or a list is empty.
    bool openCatalogue() const;

    // A whole one-column result; the row count, or -1 when the query fails.
    qint64 list(const QString& sql, const QVariantList& values, QStringList* texts = nullptr,
                std::vector<bool>* nulls = nullptr) const;
    // The first row only; true when there is one.
    bool first(const QString& sql, const QVariantList& values) const;

private:
    QString m_path;
    Connection m_connection;
};
