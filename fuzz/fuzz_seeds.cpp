// Writes the seed corpus of every fuzz target into <output>/<target>/: a small catalogue
// built as the tests build theirs, configuration lines, stored files and catalogue texts.

#include "Jet4CatalogueExport.h"
#include "TestCatalogue.h"
#include "base/ScrambleText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

void writeSeed(const QString& directory, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(directory);
    QFile file(directory + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write seed %s", qPrintable(file.fileName()));
}

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Small pages keep the catalogue small, so that mutations reach every part of it.
void compact(const QString& path)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("compact"));
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot reopen %s", qPrintable(path));
        QSqlQuery(db).exec(QStringLiteral("PRAGMA page_size = 512"));
        QSqlQuery(db).exec(QStringLiteral("VACUUM"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("compact"));
}

void writeCatalogue(const QString& path, bool withIndexes, const QByteArray& bigPhoto = QByteArray())
{
    {
        TestCatalogue catalogue(path, withIndexes);
        TestCatalogue::Product product;
        product.numero = 1;
        product.referencia = QStringLiteral("KV-100");
        product.descricao = QStringLiteral("Disjuntor bipolar 20 A");
        product.prazo = 5;
        product.peso = 0.25;
        product.preco = 1234.5;
        product.composicao = QStringLiteral("Caixa");
        product.codAnexo = 1;
        catalogue.addProduct(product);
        catalogue.addProduct(2, QStringLiteral("KV-101"), QStringLiteral("Tomada"), 0.0);
        catalogue.addPhoto(1, TestCatalogue::storedFile(QStringLiteral("png"), TestCatalogue::picture(2, 2)));
        if (!bigPhoto.isEmpty())
            catalogue.addPhoto(2, TestCatalogue::storedFile(QStringLiteral("jpg"), bigPhoto));
        catalogue.addAttachment(1, TestCatalogue::storedFile(QStringLiteral("pdf"), "%PDF-1.4"));
        catalogue.addRelation(QStringLiteral("ELX-20"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), 1,
                              QStringLiteral("Nota"));
        catalogue.addRelation(QStringLiteral("KV-100"), QStringLiteral("QV"), QStringLiteral("DJ"), 1);
        catalogue.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
        catalogue.setVersion({QStringLiteral("V"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("T"),
                              QStringLiteral("http://example.invalid/"), QStringLiteral("D")});
    }
    compact(path);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        qFatal("usage: fuzz_seeds <output directory>");
    const QString out = QString::fromLocal8Bit(argv[1]);

    const QString catalogues = out + QStringLiteral("/fuzz_opencatalogue");
    QDir().mkpath(catalogues);
    writeCatalogue(catalogues + QStringLiteral("/indexed.kvl"), true);
    writeCatalogue(catalogues + QStringLiteral("/plain.kvl"), false);

    // The same catalogue as the Access file the import reads, one with a photo long enough
    // for a chain of long-value pages.
    const QString access = out + QStringLiteral("/fuzz_accessimport");
    QDir().mkpath(access);
    for (const bool chain : {false, true}) {
        const QString sqlite = access + QStringLiteral("/source.kvl");
        writeCatalogue(sqlite, false, chain ? QByteArray(9000, 'f') : QByteArray());
        QString error;
        const QString name = chain ? QStringLiteral("/chain.mdb") : QStringLiteral("/catalogue.mdb");
        if (!Jet4CatalogueExport::convert(sqlite, access + name, 0, &error))
            qFatal("cannot write %s: %s", qPrintable(name), qPrintable(error));
        QFile::remove(sqlite);
    }

    const QString config = out + QStringLiteral("/fuzz_configfile");
    writeSeed(config, "default", "C:\\Programas\\Lumeo\\lumeo.kvl");
    writeSeed(config, "crlf", "D:\\Dados\\cat\xe1logo.kvl  \r\nsegunda linha\r\n");
    writeSeed(config, "lf", "/srv/lumeo/lumeo.kvl\nrest");
    writeSeed(config, "empty-line", "\r\n");

    const QString previews = out + QStringLiteral("/fuzz_previewwriter");
    writeSeed(previews, "photo", '\0' + TestCatalogue::storedFile(QStringLiteral("jpg"), "\xff\xd8\xff\xe0 data"));
    writeSeed(previews, "attachment-text", '\3' + TestCatalogue::storedFile(QStringLiteral("pdf"), "%PDF"));
    writeSeed(previews, "leading-blank", QByteArray(1, '\0') + QByteArray(" bmp").leftJustified(30, ' ') + "BM");
    writeSeed(previews, "parent", QByteArray(1, '\1') + QByteArray("../x").leftJustified(30, ' ') + "x");
    writeSeed(previews, "short", QByteArray(1, '\0') + "gif");

    const QString texts = out + QStringLiteral("/fuzz_scrambletext");
    writeSeed(texts, "reference", utf16(QStringLiteral("ELX-20")));
    writeSeed(texts, "company", utf16(ScrambleText(QStringLiteral("VESTRAL (Ref. Antiga)"))));
    writeSeed(texts, "accents", utf16(QString::fromUtf8("Equivale com adaptação – “aspas” €")));
    return 0;
}
