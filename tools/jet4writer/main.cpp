#include "Jet4CatalogueExport.h"
#include "access/AccessDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// jet4writer [--rc4-key HEX | --ace [--password TEXT | --catalogue-password]] INPUT.kvl OUTPUT: writes an
// SQLite catalogue as a Jet 4 or ACE 12 file, for tests and benchmarks of the Access import.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Converts an SQLite catalogue into a Jet 4 (.mdb) or ACE 12 (.accdb) file."));
    parser.addHelpOption();
    const QCommandLineOption keyOption(QStringLiteral("rc4-key"),
                                       QStringLiteral("Write an RC4-encoded database with this key (hex)."),
                                       QStringLiteral("key"));
    parser.addOption(keyOption);
    const QCommandLineOption aceOption(QStringLiteral("ace"),
                                       QStringLiteral("Write an ACE 12 (Access 2007) file."));
    parser.addOption(aceOption);
    const QCommandLineOption passwordOption(
        QStringLiteral("password"),
        QStringLiteral("Encrypt the ACE file with this password (agile encryption)."),
        QStringLiteral("text"));
    parser.addOption(passwordOption);
    const QCommandLineOption cataloguePasswordOption(
        QStringLiteral("catalogue-password"),
        QStringLiteral("Encrypt the ACE file with the password the program opens catalogues with."));
    parser.addOption(cataloguePasswordOption);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("SQLite catalogue to read."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("Access file to write."));
    parser.process(app);

    QTextStream err(stderr);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        err << parser.helpText();
        return 2;
    }
    Jet4CatalogueExport::Target target;
    if (parser.isSet(aceOption) || parser.isSet(passwordOption) || parser.isSet(cataloguePasswordOption)) {
        target.format = Jet4CatalogueExport::Format::Ace12;
        target.password = parser.isSet(cataloguePasswordOption) ? AccessDatabase::kCataloguePassword
                                                                : parser.value(passwordOption);
    }
    if (parser.isSet(keyOption)) {
        bool ok = false;
        target.encodingKey = parser.value(keyOption).toUInt(&ok, 16);
        if (!ok || target.encodingKey == 0) {
            err << "jet4writer: the key must be a non-zero hexadecimal number\n";
            return 2;
        }
    }
    QString error;
    if (!Jet4CatalogueExport::convert(arguments.at(0), arguments.at(1), target, &error)) {
        err << "jet4writer: " << error << '\n';
        return 1;
    }
    return 0;
}
