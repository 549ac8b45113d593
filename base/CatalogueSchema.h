#pragma once

#include "IndexDefinition.h"

#include <QStringList>
#include <QVector>

// The catalogue file as the program reads it: six tables whose text columns compare and
// sort without regard to case, as the catalogue's original engine did, and the indexes its
// lookups go through. Writers of catalogue files (the sample generator, the Access import,
// the tests) create their tables with these statements.
namespace CatalogueSchema {

QStringList createTableStatements();
QVector<IndexDefinition> indexes();
// The statistics SQLite plans with, for a file whose indexes are built.
QStringList statisticsStatements();
// Every index, then the statistics.
QStringList createIndexStatements();

// Column lists in the order of createTableStatements(), for inserting rows.
extern const char* const kHouseInsert;
extern const char* const kPhotoInsert;
extern const char* const kAttachmentInsert;
extern const char* const kRelationInsert;
extern const char* const kFamilyInsert;
extern const char* const kVersionInsert;

} // namespace CatalogueSchema
