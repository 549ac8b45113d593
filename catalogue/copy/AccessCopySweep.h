#pragma once

#include <QString>

// Keeps the cache of converted copies from growing for ever: each copy is some 250 MB for a
// large catalogue, and a new release a month would fill the disk.
namespace AccessCopySweep {

// A copy not opened for this long is made again if ever needed.
constexpr int kUnusedDays = 30;

// Removes the copies whose Access file is gone and those not opened for kUnusedDays, unless a
// running program holds them. Copies being made are not finished copies and are left alone.
void removeUnwanted(const QString& directory);

} // namespace AccessCopySweep
