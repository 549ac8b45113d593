#pragma once

#include "catalogue/opened/Catalogue.h"

#include <optional>
#include <utility>

class QWidget;

// Keeps the windows on the catalogue the configuration names. A new release is put in place while
// the program runs: before each lookup and each new search window the path is looked at (one
// stat(), no read). When it names another file, or the open one changed, the new catalogue is
// opened as F2 opens it (an Access file converted as at a first opening), every search window
// takes its lists, and the main window's status line says so. A file still being written is
// waited for until it has stood still for a second. A deleted file goes on answering from the
// open one, and the user is told once that it is gone.
namespace CatalogueCheck {

// The catalogue to ask, opened anew first when the file changed. `parent` is the window asking.
Catalogue& current(QWidget* parent);

// True when the path names a file other than the one `catalogue` opened, or the same file changed.
bool replacedSince(const Catalogue& catalogue);

// Tells, over `parent`, that the catalogue could not be read: which file, and why.
void tellUnreadable(QWidget* parent, const Catalogue& catalogue);

// The answer of a search step, taken from one file only: a step during which the file changed
// is run again on the new one. Empty when there is nothing to show: a conversion that failed
// (told by its wait) or a catalogue whose queries could not run (told here), never taken for
// one that holds nothing.
template <typename Step>
auto answer(QWidget* parent, Step step) -> std::optional<decltype(step(std::declval<Catalogue&>()))>
{
    // A file replaced again and again is answered from the last one opened.
    constexpr int kMostRuns = 3;
    for (int run = 1;; ++run) {
        Catalogue& catalogue = current(parent);
        if (!catalogue.waitForCopy())
            return std::nullopt;
        const int failures = catalogue.readFailures();
        auto found = step(catalogue);
        if (run < kMostRuns && replacedSince(catalogue))
            continue;
        if (!catalogue.DatabaseOpened || catalogue.readFailures() != failures) {
            tellUnreadable(parent, catalogue);
            return std::nullopt;
        }
        return std::optional<decltype(found)>(std::move(found));
    }
}

} // namespace CatalogueCheck
