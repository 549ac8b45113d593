#pragma once

// The engine version a written file declares in its header page. The pages below the header
// are laid out alike: ACE 12 kept Jet 4's page format.
enum class Jet4FileFormat
{
    // Access 2000 to 2003 (.mdb): "Standard Jet DB", version 1.
    Jet4,
    // Access 2007 (.accdb): "Standard ACE DB", version 2.
    Ace12
};
