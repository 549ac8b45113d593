#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "WindowText.h"
#include "base/ScrambleText.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QFile>
#include <QLabel>
#include <QTest>

// Opening a search window and resetting it with F2.
class TestSearchStart : public QObject
{
    Q_OBJECT

private slots:
    void loadFillsEveryListAndText();
    void nullListValues();
    void f2ReloadsTheCrossReferenceListsOnly();
    void f2WithTheCatalogueGone();
    void laterWindowsStartFromTheSharedLists();
};

void TestSearchStart::loadFillsEveryListAndText()
{
    SearchWindowFixture f;
    QCOMPARE(f.entries("CbxRef"),
             QStringList({"AB_1", "AXB1", "KV-100", "KV-1000", "KV-101", "KV-200", "KV-300 ", "KV-D'AGUA"}));
    QCOMPARE(
        f.entries("CbxDesc"),
        QStringList({QString::fromUtf8("Boia d'água 20 mm"), "Disjuntor bipolar 20 A",
                     "Disjuntor bipolar 20 A especial", "Disjuntor tripolar 32 A", "Produto com sublinhado",
                     "Produto parecido", QString::fromUtf8("Relé térmico"), "Tomada 2P+T 10 A"}));
    QCOMPARE(f.entries("comReferences"),
             QStringList({"DUP-1", "DUP-1", "ELX-20", "ELX-32", "ELX-T10", "OLD-100", "ORF-1", "QA-1",
                          "VTX-20", "VTX-T10", "VTX-T20"}));
    QCOMPARE(f.entries("comFamilies"),
             QStringList({QString::fromUtf8("Caixas d'água"), "Disjuntores", "Tomadas"}));
    // Manufacturers come in the order of their stored (scrambled) text.
    QStringList expected{"ELETRAMAX", "VOLTRIX", "VESTRAL (Ref. Antiga)"};
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return QString::compare(ScrambleText(a), ScrambleText(b), Qt::CaseInsensitive) < 0;
    });
    QCOMPARE(f.entries("comCompanies"), expected);

    QCOMPARE(f.text("LabelVersao"), QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(f.text("LinkPrograma"), QString::fromUtf8("Atualizações"));
    QCOMPARE(f.control("LinkPrograma")->toolTip(), QStringLiteral("Clique para atualizar"));
    for (const char* name : {"CbxRef", "CbxDesc", "comReferences", "comFamilies", "comCompanies", "lblQuiro",
                             "txtDetalhes", "CbxDesc1", "Preco", "Composicao"})
        QVERIFY2(f.text(name).isEmpty(), name);
    QCOMPARE(f.window()->windowTitle(), QStringLiteral("Consulta"));
    QCOMPARE(f.window()->property("Tag").toString(), QStringLiteral("Busca"));
}

void TestSearchStart::nullListValues()
{
    SearchWindowFixture f;
    const QString path = f.program().file("nulls.kvl");
    {
        TestCatalogue catalogue(path);
        TestCatalogue::Product nulls;
        nulls.numero = 1;
        catalogue.addProduct(nulls);
        catalogue.addProduct(2, "  B  ", "  Descrição  ");
        catalogue.addRelation(QVariant(), QVariant(), "DJ", 1);
        catalogue.addRelation("  R1  ", "  FIRMA  ", "DJ", 1);
        catalogue.addFamily("DJ", QVariant());
        catalogue.addFamily("TM", "  Tomadas ");
    }
    Module1::DatabasePath = path;
    QVERIFY(OpenCatalogue());
    auto window = f.openAnother();
    QCOMPARE(textOf(window.get(), "CbxRef"), QString());
    QCOMPARE(window->findChild<ComboBox*>("CbxRef")->entries(), QStringList({"  B  "}));
    QCOMPARE(window->findChild<ComboBox*>("CbxDesc")->entries(),
             QStringList({"", QString::fromUtf8("Descrição")}));
    // Blanks are trimmed from the stored form; the blanks of a shown text are stored scrambled.
    QCOMPARE(window->findChild<ComboBox*>("comReferences")->entries(), QStringList({"  R1  "}));
    QCOMPARE(window->findChild<ComboBox*>("comFamilies")->entries(), QStringList({"", "Tomadas"}));
    QCOMPARE(window->findChild<ComboBox*>("comCompanies")->entries(), QStringList({"  FIRMA  "}));
}

void TestSearchStart::f2ReloadsTheCrossReferenceListsOnly()
{
    SearchWindowFixture f;
    const QStringList fullReferences = f.entries("comReferences");
    f.choose("comCompanies", "ELETRAMAX");
    QCOMPARE(f.entries("comReferences").size(), 5);
    f.choose("comReferences", "ELX-20");
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));
    QVERIFY(!f.text("lblQuiro").isEmpty() && !f.text("txtDetalhes").isEmpty() &&
            !f.text("CbxDesc1").isEmpty());
    const QString price = f.text("Preco");

    // Any other key leaves everything as it was.
    QTest::keyClick(f.combo("comFamilies"), Qt::Key_F3);
    QCOMPARE(f.entries("comReferences").size(), 5);

    // F2 released while a control of the house search has the focus reaches the window.
    QTest::keyClick(f.combo("CbxDesc"), Qt::Key_F2);
    QCOMPARE(f.entries("comReferences"), fullReferences);
    QCOMPARE(f.entries("comFamilies").size(), 3);
    QCOMPARE(f.entries("comCompanies").size(), 3);
    for (const char* emptied :
         {"comReferences", "comFamilies", "comCompanies", "lblQuiro", "txtDetalhes", "CbxDesc1"})
        QVERIFY2(f.text(emptied).isEmpty(), emptied);
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));
    QCOMPARE(f.text("CbxDesc"), QStringLiteral("Disjuntor bipolar 20 A"));
    QCOMPARE(f.text("Preco"), price);
    QVERIFY(f.platform().messages.isEmpty());
}

void TestSearchStart::f2WithTheCatalogueGone()
{
    SearchWindowFixture f;
    QVERIFY(QFile::remove(f.program().catalogue()));
    QTest::keyClick(f.combo("comReferences"), Qt::Key_F2);
    QVERIFY(!Module1::Opened().DatabaseOpened);
    QVERIFY(f.platform().messages.isEmpty());
    // The lists are those the failed opening left: the previous ones.
    QCOMPARE(f.entries("comReferences").size(), 11);
}

void TestSearchStart::laterWindowsStartFromTheSharedLists()
{
    SearchWindowFixture f;
    f.choose("comCompanies", "VOLTRIX");
    const QStringList filtered = f.entries("comReferences");
    QCOMPARE(filtered, QStringList({"DUP-1", "ORF-1", "VTX-20", "VTX-T10", "VTX-T20"}));

    auto second = f.openAnother();
    QCOMPARE(second->findChild<ComboBox*>("comReferences")->entries(), filtered);
    QCOMPARE(second->findChild<ComboBox*>("comFamilies")->entries(), QStringList({"Disjuntores", "Tomadas"}));
    QCOMPARE(second->findChild<ComboBox*>("CbxRef")->entries().size(), 8);

    QTest::keyClick(second->findChild<ComboBox*>("CbxRef"), Qt::Key_F2);
    QCOMPARE(second->findChild<ComboBox*>("comReferences")->entries().size(), 11);
    auto third = f.openAnother();
    QCOMPARE(third->findChild<ComboBox*>("comReferences")->entries().size(), 11);
    // The first window keeps its own narrowed list.
    QCOMPARE(f.entries("comReferences"), filtered);
}

QTEST_MAIN(TestSearchStart)
#include "tst_searchstart.moc"
