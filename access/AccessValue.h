#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

class AccessRowBatch;

// One value of an Access row, decoded once from its page; both the Qt values and the
// copy's batches are made from it. Its text and bytes keep their storage from value to
// value, so a million rows cost no allocation each.
struct AccessValue
{
    enum class Kind
    {
        Null,
        Boolean,
        Integer,
        Real,
        // `real` holds days since 1899-12-30.
        DateTime,
        Text,
        Bytes
    };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QString text;
    QByteArray bytes;

    // Null as a null QVariant; booleans as bool; integers as int; reals as double; dates as
    // QDateTime; text as QString; bytes as QByteArray.
    QVariant toVariant() const;
    // Invalid outside the years Access keeps.
    QDateTime dateTime() const;
    // As the copy stores it: numbers and truth values as numbers, dates as
    // "yyyy-MM-dd hh:mm:ss" text, text as text, bytes as a blob.
    void appendTo(AccessRowBatch& batch) const;
};
