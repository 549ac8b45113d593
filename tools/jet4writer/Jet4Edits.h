#pragma once

// What years of editing leave in a table Access wrote, so that tables can be written as real
// files hold them. Nothing of it is written unless asked.

// Of one row.
struct Jet4RowEdits
{
    // The row was written when the table had only its first `columns` columns (0: all of
    // them). The columns added since have no place in it and read as null.
    int columns = 0;
    // Bytes left between the end of the variable data and the offsets' table.
    int slack = 0;
    // The row grew past its page and was moved: its slot holds only the address of its
    // values, kept on another data page of the table in a slot marked deleted.
    bool moved = false;
    // Deleted as Access deletes a row: its bytes stay and its slot carries both flags.
    bool deleted = false;
};
