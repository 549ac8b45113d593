#pragma once

#include <QString>

// Where the configuration file is, in order: beside the program when it is there, or when the
// program's folder takes files (the file is then made there); otherwise, as in an installed
// program's folder, in the user's configuration folder, read when it is there and made there
// on first start.
namespace ConfigurationPlace {

struct Place
{
    QString file;
    // Why the program's folder took no file; empty when the file is the one beside the program.
    QString refusedBeside;
};

Place find();

} // namespace ConfigurationPlace
