#pragma once

#include <QString>

#include <functional>

// Opens the catalogue at DatabasePath in a new Catalogue that replaces the last one,
// and reads the lists of the drop-down boxes, the count of house references and the version
// texts. True when the connection opened and all five lists were read; the result is also kept
// in DatabaseOpened, and the reason of a failure in Failure. A failed opening leaves no
// connection open and no work running. Shows nothing: the callers report a failure.
// `whileReading`, when given, runs on the caller's thread while the longest list is read beside
// it: work of the caller's own, done in the time it would otherwise wait.
//
// An Access file converted for this opening may open on the lists its import writes first, when
// `wait` allows: the catalogue's queries then wait for the rest of the conversion
// (Catalogue::connection()), and a conversion that fails afterwards closes the catalogue.
enum class OpeningWait
{
    UntilWhole,      // the copy finished, as any check of a catalogue needs
    UntilListsAreIn, // the lists enough, for a window to open on
};
bool OpenCatalogue(const std::function<void()>& whileReading = {},
                   OpeningWait wait = OpeningWait::UntilWhole);

class Catalogue;
// The opening itself, of the file at `path` into `catalogue`, a new one in the place of the last
// (its lists and texts kept until they are read anew). OpenCatalogue is this at DatabasePath.
bool OpenCatalogueFile(Catalogue& catalogue, const QString& path, const std::function<void()>& whileReading,
                       OpeningWait wait);
