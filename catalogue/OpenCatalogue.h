#pragma once

#include <functional>

// Opens the catalogue at Module1::DatabasePath in a new Catalogue that replaces the last one,
// and reads the lists of the drop-down boxes, the count of house references and the version
// texts. True when the connection opened and all five lists were read; the result is also kept
// in DatabaseOpened, and the reason of a failure in Failure. A failed opening leaves no
// connection open and no work running. Shows nothing: the callers report a failure.
// `whileReading`, when given, runs on the caller's thread while the longest list is read beside
// it: work of the caller's own, done in the time it would otherwise wait.
bool OpenCatalogue(const std::function<void()>& whileReading = {});
