#pragma once

#include <QString>

// A column of an Access table as the file defines it.
struct AccessColumn
{
    QString name;
    // The Jet type code (1 boolean, 2 byte, 3 integer, 4 long integer, 5 currency, 6 single,
    // 7 double, 8 date/time, 9 binary, 10 text, 11 OLE, 12 memo, 15 GUID, 16 decimal).
    int type = 0;
};
