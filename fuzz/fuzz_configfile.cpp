// Reading the configuration file: any content gives its first line, character for
// character, or nothing for an empty file; a line read can be written back and read again.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "base/Windows1252.h"
#include "catalogue/opened/ConfigurationFile.h"

#include <QFile>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzApplication::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = FuzzApplication::scratchDirectory() + QStringLiteral("/lumeo.cfg");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(content) == content.size());
    }

    const std::optional<QString> line = ConfigurationFile::readFirstLine(path);
    if (content.isEmpty()) {
        FUZZ_CHECK(!line);
        return 0;
    }
    FUZZ_CHECK(line.has_value());
    qsizetype end = 0;
    while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
        ++end;
    FUZZ_CHECK(Windows1252::encode(*line) == content.left(end));
    FUZZ_CHECK(!line->contains(QLatin1Char('\r')) && !line->contains(QLatin1Char('\n')));

    // Saving the line gives exactly its bytes, and reading them gives the line again.
    if (!line->isEmpty()) {
        const QString saved = FuzzApplication::scratchDirectory() + QStringLiteral("/saved.cfg");
        FUZZ_CHECK(ConfigurationFile::write(saved, *line));
        QFile file(saved);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        FUZZ_CHECK(file.readAll() == content.left(end));
        FUZZ_CHECK(ConfigurationFile::readFirstLine(saved) == line);
    }
    return 0;
}
