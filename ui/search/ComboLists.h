#pragma once

#include "catalogue/lists/BoxList.h"

class ComboBox;

// Fills a drop-down box of the search window with a list the catalogue made for it: its
// entries, and what the box offers while the user types (the reference boxes by the entries'
// beginning, the description box by the words typed).
namespace ComboLists {

void fill(ComboBox* combo, const BoxList& list);

} // namespace ComboLists
