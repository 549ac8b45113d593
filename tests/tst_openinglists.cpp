#include "TestCatalogue.h"
#include "TestProgram.h"

#include "access/AccessImporter.h"
#include "base/CatalogueSchema.h"
#include "base/HouseBrands.h"
#include "catalogue/copy/OpeningListsFile.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/engine/Connection.h"
#include "catalogue/engine/ForwardResult.h"
#include "catalogue/engine/ListQuery.h"

#include "Jet4CatalogueExport.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// Rows whose order the engine's NOCASE and its indexes decide: ties in letter case broken by the
// further columns and by storage, nulls and empty texts, accents NOCASE does not fold, texts
// alike past the first 32 bytes, the house brands in other letter case, a text with a NUL.
void writeTies(const QString& path)
{
    TestCatalogue catalogue(path);
    const QString ties = QStringLiteral("MODELO-COM-UM-NOME-MUITO-LONGO-PARA-A-CHAVE-");
    const QString qv = HouseBrands::storedQV();
    const QString withNul = QStringLiteral("nul") + QChar(0) + QStringLiteral("z");
    const QList<QVariantList> relations = {
        {"abc", "Maker", "F2"},      {"ABC", "maker", "F1"},         {"abc", "MAKER", "F0"},
        {"Abc", "Outra", "F1"},      {QVariant(), "Maker", "F1"},    {"", "Maker", "F1"},
        {"x", QVariant(), "F1"},     {ties + "b", "Maker", "F1"},    {ties + "B", "Outra", "F1"},
        {ties + "a", "outra", "F2"}, {"é", "maker", "F1"},           {"É", "maker", "F1"},
        {"casa-1", qv, "F1"},        {"casa-2", qv.toUpper(), "F1"}, {"casa-3", qv.toLower(), "F1"},
        {withNul, "Maker", "F1"},    {"nul", "Maker", "F2"},         {"Outra-1", "OUTRA", "F0"},
    };
    int group = 0;
    for (const QVariantList& row : relations)
        catalogue.exec(QString::fromUtf8(CatalogueSchema::kRelationInsert),
                       row + QVariantList{++group, QVariant()});
    const QList<QVariantList> products = {{"ref-a", "Disjuntor"},
                                          {"REF-A", "DISJUNTOR"},
                                          {"Ref-B", "disjuntor"},
                                          {QVariant(), QVariant()},
                                          {"", ""},
                                          {"ref-c", "Ácido"},
                                          {"ref-d", "ácido"}};
    int numero = 0;
    for (const QVariantList& row : products) {
        TestCatalogue::Product product;
        product.numero = ++numero;
        product.referencia = row[0];
        product.descricao = row[1];
        catalogue.addProduct(product);
    }
    catalogue.addFamily("F0", QString::fromUtf8("Família"));
    catalogue.addFamily("F1", QString::fromUtf8("FAMÍLIA"));
    catalogue.addFamily("F2", QString::fromUtf8("família"));
    catalogue.addFamily("F3", QVariant());
    catalogue.setVersion({"3.1", QVariant(), "rev", "Novidades", "http://exemplo", "Dica"});
}

bool makeSample(const QString& path)
{
    QProcess process;
    process.start(qEnvironmentVariable("LUMEO_MAKECATALOGUE"),
                  {"--products", "3000", "--relations", "30000", path});
    return process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

// The lists an import writes for the opening before it builds the copy's indexes are the lists
// the opening's queries give on the finished copy, value for value and in the same order.
class TestOpeningLists : public QObject
{
    Q_OBJECT

private slots:
    void sameAsTheFinishedCopy_data();
    void sameAsTheFinishedCopy();
    void damagedFilesAreNotRead_data();
    void damagedFilesAreNotRead();
};

void TestOpeningLists::sameAsTheFinishedCopy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("ties of letter case, nulls, long alike texts") << "ties";
    QTest::newRow("standard test catalogue") << "standard";
    QTest::newRow("generated sample") << "sample";
}

void TestOpeningLists::sameAsTheFinishedCopy()
{
    QFETCH(QString, kind);
    TestProgram program;
    const QString source = program.file("source.kvl");
    if (kind == "ties") {
        writeTies(source);
    } else if (kind == "standard") {
        TestCatalogue::writeStandard(source);
    } else {
        if (qEnvironmentVariableIsEmpty("LUMEO_MAKECATALOGUE"))
            QSKIP("LUMEO_MAKECATALOGUE does not name the sample generator");
        QVERIFY(makeSample(source));
    }
    const QString access = program.file("catalogo.mdb");
    const QString copy = program.file("copy.sqlite");
    const QString lists = program.file("copy.lists");
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(source, access, 0, &error), qPrintable(error));
    bool told = false;
    QVERIFY2(AccessImporter::convert(access, copy, {}, &error, lists, [&] { told = QFile::exists(lists); }),
             qPrintable(error));
    QVERIFY2(told, "the lists are written whole before they are announced");

    const OpeningListsFile file = OpeningListsFile::read(lists, copy);
    QVERIFY(file.ok);
    Connection finished;
    QVERIFY(finished.open(copy));
    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    const struct
    {
        int list;
        QString sql;
        QVariantList values;
    } queries[] = {
        {OpeningLists::indexOf(ListKind::HouseReferences), CatalogueSql::HouseReferences, {}},
        {OpeningLists::indexOf(ListKind::Descriptions), CatalogueSql::Descriptions, {}},
        {OpeningLists::indexOf(ListKind::Families), CatalogueSql::Families, {}},
        {OpeningLists::indexOf(ListKind::Manufacturers), CatalogueSql::Manufacturers, houseBrands},
        {OpeningLists::indexOf(ListKind::CompetitorReferences), CatalogueSql::CompetitorReferences,
         houseBrands},
    };
    for (const auto& query : queries) {
        const ListQuery read = ListQuery::run(&finished, query.sql, query.values);
        QVERIFY(read.ok);
        QVERIFY2(read.rows.size() > 0, qPrintable(query.sql));
        QVERIFY2(read.rows.hasSameValues(file.lists[query.list]),
                 qPrintable(QStringLiteral("%1: %2 values read, %3 written")
                                .arg(query.sql)
                                .arg(read.rows.size())
                                .arg(file.lists[query.list].size())));
    }
    // The opening counts the house references from their list.
    ForwardResult count = ForwardResult::execute(&finished, CatalogueSql::CountHouseReferences);
    QCOMPARE(file.lists[OpeningLists::indexOf(ListKind::HouseReferences)].entryCount(EntryRule::AsStored),
             count.field(0).toLongLong());
    count.close();
    ForwardResult version = ForwardResult::execute(&finished, CatalogueSql::Version);
    QStringList row;
    for (int column = 0; !version.eof() && column < 6; ++column)
        row.append(version.field(column).toString());
    QCOMPARE(file.version, row);
    version.close();

    // A file cut short is not read at all.
    QVERIFY(QFile::resize(lists, QFileInfo(lists).size() - 1));
    QVERIFY(!OpeningListsFile::read(lists, copy).ok);
}

void TestOpeningLists::damagedFilesAreNotRead_data()
{
    // A sound file: a null, an empty text and a text in the first list, the other lists empty.
    const std::vector<OpeningLists::Value> values{{}, {"", 0}, {"KV-1", 4}};
    std::vector<OpeningLists::Value> lists[OpeningLists::ListCount];
    lists[OpeningLists::indexOf(ListKind::HouseReferences)] = values;
    const QByteArray conversion("copy.sqlite");
    const QByteArray sound = OpeningLists::encode(conversion, lists);
    QByteArray tooLong = sound;
    // The third value's size (after the magic, the conversion's name, the count and two sizes)
    // made larger than the file.
    tooLong[sizeof(OpeningLists::kMagic) - 1 + 4 + conversion.size() + 4 * 3 + 1] = char(0x7f);

    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::newRow("sound") << sound << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("another kind of file") << QByteArray("SQLite format 3").append(sound.mid(15)) << false;
    QTest::newRow("cut inside a count") << sound.chopped(2) << false;
    QTest::newRow("a text past the end") << tooLong << false;
    QTest::newRow("bytes after the last list") << sound + "x" << false;
    // Lists put in the place of a conversion's own are never taken for its lists.
    QTest::newRow("another conversion's lists") << OpeningLists::encode("other.sqlite", lists) << false;
}

void TestOpeningLists::damagedFilesAreNotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    TestProgram program;
    const QString path = program.file("copy.lists");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const OpeningListsFile lists = OpeningListsFile::read(path, program.file("copy.sqlite"));
    QCOMPARE(lists.ok, read);
    if (read) {
        const CachedList& references = lists.lists[OpeningLists::indexOf(ListKind::HouseReferences)];
        QCOMPARE(references.size(), 3);
        QVERIFY(references.isNull(0));
        QVERIFY(!references.isNull(1) && references.at(1).isEmpty());
        QCOMPARE(references.at(2), QStringLiteral("KV-1"));
        QVERIFY(lists.version.isEmpty());
    }
}

QTEST_MAIN(TestOpeningLists)
#include "tst_openinglists.moc"
