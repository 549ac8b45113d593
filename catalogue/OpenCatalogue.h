#pragma once

// Opens the catalogue at Module1::DatabasePath on a new shared connection and reads the
// lists of the drop-down boxes, the count of house references and the version texts.
// True when the connection opened and all five lists were read; the result is also kept in
// Module1::DatabaseOpened. Shows nothing: the callers report a failure.
bool OpenCatalogue();

class CachedList;

// The competitor references and the manufacturers as the last opening read them. The filters
// narrow Module1::RefRows and CompRows; these stay whole until the next opening.
const CachedList& OpenedCompetitorReferences();
const CachedList& OpenedManufacturers();
