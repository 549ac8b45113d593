#pragma once

#include <QString>

// Rewrites the configuration file `configFile` with `databasePath` alone, making the user's
// configuration folder again when that is where the file is. False, with the reason in `error`,
// when the file could not be written; the old file is then left as it was.
bool SaveConfiguration(const QString& configFile, const QString& databasePath, QString* error = nullptr);
