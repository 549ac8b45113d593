#pragma once

#include "AccessNative.h"

#include <vector>

// Where each column of one row lies on its page, found from the row's own column count,
// variable-column offsets and null mask, each checked against the row's bounds first.
namespace AccessRowFields {

struct Field
{
    // Offset on the page and length of the column's bytes.
    int start = 0;
    int size = 0;
    // For truth values, the mask bit is the value: null means false.
    bool isNull = true;
};

// Fills `fields` (one per column of `table`, in its order) for the row at `start`, `size`
// bytes long, on `page`. `mostColumns` is the most columns a row of the table has had, as
// its definition records; every column's number lies below it. False when the
// row contradicts itself: more columns than that, offsets outside the row or decreasing, a
// variable part that runs into its offsets, a fixed column past the fixed part, data for a
// column the mask lacks, or no offset for a variable column the mask has.
bool crack(MdbHandle* mdb, MdbTableDef* table, int mostColumns, const unsigned char* page, int start,
           int size, std::vector<Field>& fields);

} // namespace AccessRowFields
