#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class ForwardResult;

// The row a product lookup found, as plain values: what the product panel shows. Read like the
// result it was taken from: whether the query ran, whether a row was found, its fields by name.
class ProductRecord
{
public:
    // A lookup that did not run.
    ProductRecord() = default;
    // The row the result stands on, or none when it is at its end.
    static ProductRecord firstRowOf(const ForwardResult& result);

    bool isOpen() const { return m_open; }
    bool eof() const { return m_values.isEmpty(); }
    // A field by name, without regard to case: invalid when there is no row or no such field, a
    // null value valid and null.
    QVariant field(const QString& name) const;
    void close() { *this = ProductRecord(); }

private:
    bool m_open = false;
    QStringList m_names;
    QVariantList m_values;
};
