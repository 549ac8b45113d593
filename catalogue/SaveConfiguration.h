#pragma once

#include <QString>

// Rewrites the configuration file at Module1::ConfigFilePath with Module1::DatabasePath
// alone, making the user's configuration folder again when that is where the file is. False,
// with the reason in `error`, when the file could not be written; the old file is then left
// as it was.
bool SaveConfiguration(QString* error = nullptr);
