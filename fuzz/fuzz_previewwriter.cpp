// The preview writers, given any stored-file value: they write the file's bytes to a file
// named after the extension directly in the program's directory, or return empty text, and
// never write anywhere else.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "base/ProgramLocation.h"
#include "base/Windows1252.h"
#include "catalogue/engine/StoredFile.h"
#include "media/PreviewWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>

namespace {

// The program stands in <scratch>/program; the scratch directory holds nothing else.
QString programDirectory()
{
    return FuzzApplication::scratchDirectory() + QStringLiteral("/program");
}

void checkNothingElseWritten()
{
    const QStringList scratch = QDir(FuzzApplication::scratchDirectory())
                                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    FUZZ_CHECK(scratch == QStringList{QStringLiteral("program")});
    QDir program(programDirectory());
    const QFileInfoList written =
        program.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& file : written) {
        FUZZ_CHECK(file.isFile() && !file.isSymLink());
        FUZZ_CHECK(file.fileName().startsWith(QString::fromUtf8("ArquivoTemporárioDePrévia.")) ||
                   file.fileName().startsWith(QString::fromUtf8("AnexoTemporárioDePrévia.")));
        QFile::remove(file.absoluteFilePath());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzApplication::start();
    QDir().mkpath(programDirectory());
    ProgramLocation::setExecutableForTesting(programDirectory() + QStringLiteral("/lumeo"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the writer and the value's kind; the rest is the value.
    const bool attachment = data[0] & 1;
    const bool asText = data[0] & 2;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QVariant value = asText ? QVariant(Windows1252::decode(bytes)) : QVariant(bytes);

    const QString path = attachment ? WriteAttachmentPreview(programDirectory(), value)
                                    : WritePhotoPreview(programDirectory(), value);
    if (!path.isEmpty()) {
        const QFileInfo written(path);
        FUZZ_CHECK(written.absolutePath() == QDir(programDirectory()).absolutePath());
        FUZZ_CHECK(written.isFile());
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        FUZZ_CHECK(file.readAll() == bytes.mid(StoredFile::ExtensionLength));
        FUZZ_CHECK(bytes.size() >= StoredFile::ExtensionLength);
    }
    checkNothingElseWritten();
    return 0;
}
