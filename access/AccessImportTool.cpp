#include "AccessImportTool.h"

#include "AccessImporter.h"
#include "base/ImportProgram.h"

#include <QFile>

#include <cstdio>

namespace AccessImportTool {

int run(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ACCESS-FILE SQLITE-FILE\n", ImportProgram::kName);
        return 2;
    }
    const QString accessPath = QFile::decodeName(argv[1]);
    const QString sqlitePath = QFile::decodeName(argv[2]);
    const auto progress = [](int percent) {
        std::printf("progress %d\n", percent);
        std::fflush(stdout);
    };
    QString error;
    if (!AccessImporter::convert(accessPath, sqlitePath, progress, &error)) {
        QFile::remove(sqlitePath);
        std::fprintf(stderr, "%s: %s\n", ImportProgram::kName, error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

} // namespace AccessImportTool
