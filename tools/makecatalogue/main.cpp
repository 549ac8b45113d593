#include "CatalogueSize.h"
#include "HouseProductMaker.h"
#include "RelationGroupMaker.h"
#include "SampleCatalogueWriter.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kMaximumProducts = 100000;
constexpr int kMaximumRelations = 1000000;

// Reads a whole-number option within limits; false with a message otherwise.
bool readCount(const QCommandLineParser& parser, const QString& name, int low, int high, int& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int read = parser.value(name).toInt(&ok);
    if (!ok || read < low || read > high) {
        std::fprintf(stderr, "makecatalogue: --%s must be a whole number from %d to %d\n", qPrintable(name),
                     low, high);
        return false;
    }
    value = read;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Photos are drawn with QPainter, which needs a GUI application but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("makecatalogue"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a sample Korvel catalogue with invented products, cross-references, photos and "
        "drawings."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("products"), QStringLiteral("Number of house products (default 3000)."),
         QStringLiteral("N")},
        {QStringLiteral("relations"), QStringLiteral("Number of cross-reference rows (default 30000)."),
         QStringLiteral("N")},
        {QStringLiteral("photos"),
         QStringLiteral("Number of products with a photo (default 85% of the products, at most 4000)."),
         QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the invented content (default 1)."),
         QStringLiteral("S")},
    });
    parser.addPositionalArgument(QStringLiteral("OUTPUT.kvl"), QStringLiteral("Catalogue file to write."));
    parser.process(application);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    CatalogueSize size;
    int seed = 1;
    if (!readCount(parser, QStringLiteral("products"), HouseProductMaker::fixedProductCount(),
                   kMaximumProducts, size.products) ||
        !readCount(parser, QStringLiteral("relations"), RelationGroupMaker::fixedRowCount(),
                   kMaximumRelations, size.relations) ||
        !readCount(parser, QStringLiteral("photos"), 0, kMaximumProducts, size.photos) ||
        !readCount(parser, QStringLiteral("seed"), 0, 2147483647, seed))
        return 2;
    size.seed = static_cast<quint32>(seed);

    SampleCatalogueWriter writer(size);
    if (!writer.write(positional.first())) {
        std::fprintf(stderr, "makecatalogue: %s\n", qPrintable(writer.errorText()));
        return 1;
    }

    const SampleCatalogueWriter::Summary& summary = writer.summary();
    QTextStream(stdout) << QStringLiteral(
                               "%1: %2 products, %3 families, %4 cross-reference rows in %5 groups, "
                               "%6 photos, %7 drawings, %8 bytes\n")
                               .arg(positional.first())
                               .arg(summary.products)
                               .arg(summary.families)
                               .arg(summary.relations)
                               .arg(summary.groups)
                               .arg(summary.photos)
                               .arg(summary.drawings)
                               .arg(summary.bytes);
    return 0;
}
