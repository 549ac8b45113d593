#include "TestCatalogue.h"
#include "TestProgram.h"
#include "base/ScrambleText.h"
#include "catalogue/Module1.h"
#include "catalogue/OpenCatalogue.h"

#include <QFile>
#include <QTest>

class TestOpenCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void readsListsAndTexts();
    void failsWithoutChangingLaterLists_data();
    void failsWithoutChangingLaterLists();
    void versionTableIsOptional_data();
    void versionTableIsOptional();
    void emptyListsDoNotFailTheOpening();
    void listsKeepNullsAndReadingTwiceGivesTheSame();
};

namespace {

QStringList texts(const CachedList& list)
{
    QStringList result;
    for (qsizetype i = 0; i < list.size(); ++i)
        result.append(list.isNull(i) ? QStringLiteral("<null>") : list.at(i));
    return result;
}

QStringList shown(const CachedList& list)
{
    QStringList result;
    for (qsizetype i = 0; i < list.size(); ++i)
        result.append(ScrambleText(list.at(i)));
    return result;
}

} // namespace

void TestOpenCatalogue::readsListsAndTexts()
{
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    QVERIFY(Module1::DatabaseOpened);
    QCOMPARE(Module1::RecCount.toInt(), 8);
    QCOMPARE(texts(Module1::HouseRefRows),
             QStringList({"AB_1", "AXB1", "KV-100", "KV-1000", "KV-101", "KV-200", "KV-300 ", "KV-D'AGUA"}));
    QCOMPARE(Module1::DescRows.size(), 8);
    QCOMPARE(Module1::DescRows.at(0), QStringLiteral("  Disjuntor bipolar 20 A especial  "));
    QCOMPARE(texts(Module1::FamRows), QStringList({"Caixas d'água", "Disjuntores", "Tomadas"}));

    // Competitor lists leave the house brands out and come in the order of the stored text.
    QStringList references = shown(Module1::RefRows);
    QCOMPARE(references.size(), 11);
    for (const QString house : {"KV-100", "KV-101", "KV-999", "KV-200", "KV-D'AGUA"})
        QVERIFY2(!references.contains(house), qPrintable(house));
    QVERIFY(references.contains("OLD-100"));
    QStringList stored = texts(Module1::RefRows);
    QStringList storedSorted = stored;
    // The catalogue's text columns fold the case of ASCII letters only.
    const auto asciiFolded = [](QString text) {
        for (QChar& c : text) {
            if (c.unicode() < 0x80)
                c = c.toLower();
        }
        return text;
    };
    std::stable_sort(storedSorted.begin(), storedSorted.end(),
                     [&](const QString& a, const QString& b) { return asciiFolded(a) < asciiFolded(b); });
    QCOMPARE(stored, storedSorted);
    QStringList companies = shown(Module1::CompRows);
    companies.sort();
    QCOMPARE(companies, QStringList({"ELETRAMAX", "VESTRAL (Ref. Antiga)", "VOLTRIX"}));

    QCOMPARE(Module1::VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::LinkTitle, QString::fromUtf8("Atualizações"));
    QCOMPARE(Module1::LinkTarget, QStringLiteral("http://example.invalid/atualizar"));
    QCOMPARE(Module1::LinkHint, QStringLiteral("Clique para atualizar"));
}

void TestOpenCatalogue::failsWithoutChangingLaterLists_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("housesRenewed");  // lists read before the failure hold the new file's values
    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("not a database") << "text" << false;
    QTest::newRow("database without tables") << "empty" << false;
    QTest::newRow("missing FAMILIES") << "DROP TABLE FAMILIES" << true;
    QTest::newRow("missing RELATIONS column") << "ALTER TABLE RELATIONS RENAME COLUMN COMPANY TO FIRMA" << true;
}

void TestOpenCatalogue::failsWithoutChangingLaterLists()
{
    QFETCH(QString, damage);
    QFETCH(bool, housesRenewed);
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    const QStringList previousFamilies = texts(Module1::FamRows);
    const QStringList previousCompanies = texts(Module1::CompRows);

    const QString other = program.file("other.kvl");
    if (damage == "text") {
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Not a catalogue at all\n");
    } else if (damage == "empty") {
        TestCatalogue(other).exec("DROP TABLE [Tabela Referencias]");
    } else if (damage != "missing") {
        TestCatalogue catalogue(other);
        catalogue.addProduct(1, "NEW-1", "Novo produto");
        catalogue.addRelation("NEW-REF", "NOVAFIRMA", "DJ", 1);
        catalogue.exec(damage);
    }
    Module1::DatabasePath = other;
    QVERIFY(!OpenCatalogue());
    QVERIFY(!Module1::DatabaseOpened);
    QCOMPARE(texts(Module1::HouseRefRows).contains("NEW-1"), housesRenewed);
    QCOMPARE(texts(Module1::FamRows), previousFamilies);
    QCOMPARE(texts(Module1::CompRows), previousCompanies);
}

void TestOpenCatalogue::versionTableIsOptional_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("no table") << "DROP TABLE TabelaVersao";
    QTest::newRow("no rows") << "DELETE FROM TabelaVersao";
}

void TestOpenCatalogue::versionTableIsOptional()
{
    QFETCH(QString, change);
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    const QString other = program.file("other.kvl");
    {
        TestCatalogue catalogue(other);
        catalogue.addProduct(1, "X", "Y");
        catalogue.addRelation("R", "C", "F", 1);
        catalogue.addFamily("F", "Fam");
        catalogue.setVersion({"a", "b", "c", "d", "e", "f"});
        catalogue.exec(change);
    }
    Module1::DatabasePath = other;
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::LinkTarget, QStringLiteral("http://example.invalid/atualizar"));

    // Missing columns: the texts that can be read are read, the others stay.
    const QString third = program.file("third.kvl");
    {
        TestCatalogue catalogue(third);
        catalogue.addProduct(1, "X", "Y");
        catalogue.addRelation("R", "C", "F", 1);
        catalogue.exec("DROP TABLE TabelaVersao");
        catalogue.exec("CREATE TABLE TabelaVersao (Versao TEXT, TituloLink TEXT)");
        catalogue.exec("INSERT INTO TabelaVersao VALUES ('v9', 'Novo link')");
    }
    Module1::DatabasePath = third;
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::LinkTitle, QStringLiteral("Novo link"));
    QCOMPARE(Module1::LinkHint, QStringLiteral("Clique para atualizar"));
}

void TestOpenCatalogue::emptyListsDoNotFailTheOpening()
{
    TestProgram program;
    {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "KV-1", "Produto");
        catalogue.addRelation("KV-1", "QV", "DJ", 1);
        catalogue.addRelation("KV-2", "VESTRAL", "DJ", 1);
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QVERIFY(Module1::RefRows.isEmpty());
    QVERIFY(Module1::CompRows.isEmpty());
    QVERIFY(Module1::FamRows.isEmpty());
    QCOMPARE(Module1::HouseRefRows.size(), 1);
}

void TestOpenCatalogue::listsKeepNullsAndReadingTwiceGivesTheSame()
{
    TestProgram program;
    {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "B", "desc");
        TestCatalogue::Product nulls;
        nulls.numero = 2;
        catalogue.addProduct(nulls);
        catalogue.addRelation(QVariant(), "ELETRAMAX", "DJ", 1);
        catalogue.addRelation("R1", "ELETRAMAX", "DJ", 1);
        catalogue.addFamily("DJ", QVariant());
        catalogue.addFamily("TM", "Tomadas");
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::RecCount.toInt(), 1);  // nulls are not counted
    QCOMPARE(texts(Module1::HouseRefRows), QStringList({"<null>", "B"}));
    QCOMPARE(texts(Module1::DescRows), QStringList({"<null>", "desc"}));
    QCOMPARE(texts(Module1::FamRows), QStringList({"<null>", "Tomadas"}));
    QCOMPARE(shown(Module1::RefRows).size(), 2);
    QVERIFY(Module1::RefRows.isNull(0));

    const QStringList first = texts(Module1::RefRows);
    QVERIFY(OpenCatalogue());
    QCOMPARE(texts(Module1::RefRows), first);
    QCOMPARE(texts(Module1::HouseRefRows), QStringList({"<null>", "B"}));
}

QTEST_MAIN(TestOpenCatalogue)
#include "tst_opencatalogue.moc"
