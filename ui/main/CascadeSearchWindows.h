#pragma once

class QMdiArea;

// "Em cascata": the search windows in cascade at their design size, each cut to what the area
// leaves it from its place, so that none runs past the area's edge; a window cut so scrolls.
void CascadeSearchWindows(QMdiArea* area);
