// Writes the seed corpus of every fuzz target into <output>/<target>/: a small catalogue
// built as the tests build theirs, configuration lines, stored files and catalogue texts.

#include "Jet4CatalogueExport.h"
#include "Jet4Writer.h"
#include "TestCatalogue.h"
#include "access/AccessDatabase.h"
#include "base/ScrambleText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtEndian>

#include <cstring>
#include <functional>

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
        catalogue.setVersion({QStringLiteral("V"), QStringLiteral("1"), QStringLiteral("2"),
                              QStringLiteral("T"), QStringLiteral("http://example.invalid/"),
                              QStringLiteral("D")});
    }
    compact(path);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// The Access catalogue damaged above its rows, one place a seed: the house table's definition
// (the first after the system catalogue's, page 2) and the system catalogue's rows.
void writeStructureSeeds(const QString& directory, const QByteArray& file)
{
    constexpr int kPage = 4096;
    int house = 0;
    int catalogueData = 0;
    for (int page = 3; page < file.size() / kPage; ++page) {
        const char* p = file.constData() + page * kPage;
        if (p[0] == 0x02 && house == 0)
            house = page;
        else if (p[0] == 0x01 && qFromLittleEndian<quint32>(p + 4) == 2 && catalogueData == 0)
            catalogueData = page;
    }
    if (house == 0 || catalogueData == 0)
        qFatal("no house table or catalogue rows in the Access seed");
    const int column = house * kPage + 63;
    const int entry = catalogueData * kPage + 14;
    const auto seed = [&](const char* name, const std::function<void(QByteArray&)>& damage) {
        QByteArray damaged = file;
        damage(damaged);
        writeSeed(directory, QString::fromLatin1(name), damaged);
    };
    const auto put16 = [](QByteArray& bytes, int offset, int value) {
        qToLittleEndian<quint16>(quint16(value), bytes.data() + offset);
    };
    seed("variable-count.mdb", [&](QByteArray& b) { put16(b, house * kPage + 43, 0); });
    seed("column-number-twice.mdb", [&](QByteArray& b) { put16(b, column + 25 + 5, 0); });
    seed("variable-number-twice.mdb", [&](QByteArray& b) { put16(b, column + 2 * 25 + 7, 0); });
    seed("type-code.mdb", [&](QByteArray& b) { b[column + 25] = char(0xee); });
    seed("fixed-offset.mdb", [&](QByteArray& b) { put16(b, column + 21, 2); });
    // The second and third user tables' rows name one definition page.
    seed("shared-definition.mdb", [&](QByteArray& b) {
        const int second =
            catalogueData * kPage + (qFromLittleEndian<quint16>(b.constData() + entry + 4) & 0x1fff);
        const int third =
            catalogueData * kPage + (qFromLittleEndian<quint16>(b.constData() + entry + 6) & 0x1fff);
        std::memcpy(b.data() + third + 2, b.constData() + second + 2, 4);
    });
}

// A small catalogue whose house table has property values, as the system catalogue keeps them.
void writePropertiesSeed(const QString& path)
{
    using Kind = Jet4ColumnDefinition::Kind;
    const QString name = QStringLiteral("Description");
    QByteArray names(2, '\0');
    qToLittleEndian<quint16>(quint16(name.size() * 2), names.data());
    names += QByteArray(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    QByteArray record = QByteArray::fromHex("0e00000a00000600") + QByteArray("d\0e\0s\0", 6);
    QByteArray values = QByteArray::fromHex("000000000000") + record;
    qToLittleEndian<quint32>(quint32(values.size()), values.data());
    QByteArray properties("MR2\0", 4);
    for (const auto& [type, body] : {std::pair{0x80, names}, std::pair{0x00, values}}) {
        QByteArray block(6, '\0');
        qToLittleEndian<quint32>(quint32(6 + body.size()), block.data());
        qToLittleEndian<quint16>(quint16(type), block.data() + 4);
        properties += block + body;
    }
    Jet4Writer writer(path);
    const bool ok =
        writer.open() &&
        writer.beginTable(
            QStringLiteral("Tabela Referencias"),
            {{QStringLiteral("Referencia"), Kind::Text}, {QStringLiteral("Descriçao"), Kind::Text}},
            properties) &&
        writer.addRow({QStringLiteral("KV-1"), QStringLiteral("Um")}) && writer.endTable() &&
        writer.beginTable(QStringLiteral("RELATIONS"), {{QStringLiteral("REFERENCE"), Kind::Text},
                                                        {QStringLiteral("COMPANY"), Kind::Text}}) &&
        writer.endTable() &&
        writer.beginTable(QStringLiteral("FAMILIES"), {{QStringLiteral("DESCRIPTION"), Kind::Text}}) &&
        writer.endTable() && writer.finish();
    if (!ok)
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
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
    // for a chain of long-value pages; as an ACE file, and encrypted with the password the import
    // opens catalogues with. Few spins of the password's hash keep each run of an encrypted
    // seed short.
    const QString access = out + QStringLiteral("/fuzz_accessimport");
    QDir().mkpath(access);
    using Format = Jet4CatalogueExport::Format;
    const QString password = AccessDatabase::kCataloguePassword;
    const struct
    {
        const char* name;
        bool chain;
        Format format;
        QString password;
    } files[] = {
        {"catalogue.mdb", false, Format::Jet4, {}},
        {"chain.mdb", true, Format::Jet4, {}},
        {"catalogue.accdb", false, Format::Ace12, {}},
        {"encrypted.accdb", false, Format::Ace12, password},
        {"encrypted-chain.accdb", true, Format::Ace12, password},
    };
    for (const auto& file : files) {
        const QString sqlite = access + QStringLiteral("/source.kvl");
        writeCatalogue(sqlite, false, file.chain ? QByteArray(9000, 'f') : QByteArray());
        Jet4CatalogueExport::Target target;
        target.format = file.format;
        target.password = file.password;
        target.spinCount = 16;
        QString error;
        if (!Jet4CatalogueExport::convert(sqlite, access + QLatin1Char('/') + QLatin1String(file.name),
                                          target, &error))
            qFatal("cannot write %s: %s", file.name, qPrintable(error));
        QFile::remove(sqlite);
    }
    writeStructureSeeds(access, readAll(access + QStringLiteral("/catalogue.mdb")));
    writePropertiesSeed(access + QStringLiteral("/properties.mdb"));

    const QString config = out + QStringLiteral("/fuzz_configfile");
    writeSeed(config, "default", "C:\\Programas\\Lumeo\\lumeo.kvl");
    writeSeed(config, "crlf", "D:\\Dados\\cat\xe1logo.kvl  \r\nsegunda linha\r\n");
    writeSeed(config, "lf", "/srv/lumeo/lumeo.kvl\nrest");
    writeSeed(config, "empty-line", "\r\n");

    const QString previews = out + QStringLiteral("/fuzz_previewwriter");
    writeSeed(previews, "photo",
              '\0' + TestCatalogue::storedFile(QStringLiteral("jpg"), "\xff\xd8\xff\xe0 data"));
    writeSeed(previews, "attachment-text", '\3' + TestCatalogue::storedFile(QStringLiteral("pdf"), "%PDF"));
    writeSeed(previews, "leading-blank",
              QByteArray(1, '\0') + QByteArray(" bmp").leftJustified(30, ' ') + "BM");
    writeSeed(previews, "parent", QByteArray(1, '\1') + QByteArray("../x").leftJustified(30, ' ') + "x");
    writeSeed(previews, "short", QByteArray(1, '\0') + "gif");

    const QString texts = out + QStringLiteral("/fuzz_scrambletext");
    writeSeed(texts, "reference", utf16(QStringLiteral("ELX-20")));
    writeSeed(texts, "company", utf16(ScrambleText(QStringLiteral("VESTRAL (Ref. Antiga)"))));
    writeSeed(texts, "accents", utf16(QString::fromUtf8("Equivale com adaptação – “aspas” €")));
    return 0;
}
