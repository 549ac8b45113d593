#include "Jet4CatalogueExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// jet4writer [--rc4-key HEX] INPUT.kvl OUTPUT.mdb: writes an SQLite catalogue as a Jet 4
// file, for tests and benchmarks of the Access import.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Converts an SQLite catalogue into a Jet 4 (.mdb) file."));
    parser.addHelpOption();
    const QCommandLineOption keyOption(QStringLiteral("rc4-key"),
                                       QStringLiteral("Write an RC4-encoded database with this key (hex)."),
                                       QStringLiteral("key"));
    parser.addOption(keyOption);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("SQLite catalogue to read."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("Jet 4 file to write."));
    parser.process(app);

    QTextStream err(stderr);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        err << parser.helpText();
        return 2;
    }
    std::uint32_t key = 0;
    if (parser.isSet(keyOption)) {
        bool ok = false;
        key = parser.value(keyOption).toUInt(&ok, 16);
        if (!ok || key == 0) {
            err << "jet4writer: the key must be a non-zero hexadecimal number\n";
            return 2;
        }
    }
    QString error;
    if (!Jet4CatalogueExport::convert(arguments.at(0), arguments.at(1), key, &error)) {
        err << "jet4writer: " << error << '\n';
        return 1;
    }
    return 0;
}
