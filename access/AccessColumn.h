#pragma once

#include <QString>

// A column of an Access table as the file defines it.
struct AccessColumn
{
    // The Jet type codes.
    enum Type
    {
        Boolean = 1,
        Byte,
        Integer,
        LongInteger,
        Currency,
        Single,
        Double,
        DateTime,
        Binary,
        Text,
        Ole,
        Memo,
        Guid = 15,
        Decimal
    };

    QString name;
    int type = 0;
};
