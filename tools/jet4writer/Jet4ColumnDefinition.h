#pragma once

#include <QString>

// One column of a table written by Jet4Writer. The kinds are those a catalogue needs:
// whole numbers, floating-point numbers, short and long text, and long binary values.
struct Jet4ColumnDefinition
{
    enum class Kind
    {
        Long,
        Double,
        Text,
        Memo,
        Ole
    };

    QString name;
    Kind kind = Kind::Text;
    // A column deleted from the table since its rows were written: the rows keep its value,
    // the definition no longer lists it, and the other columns keep their numbers and places.
    bool deleted = false;
};
