#include "SearchWindowFixture.h"
#include "catalogue/opened/Module1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QTest>

// Narrowing the cross-reference lists by manufacturer and by family.
class TestCrossReferenceFilters : public QObject
{
    Q_OBJECT

private slots:
    void filters_data();
    void filters();
    void notFoundKeepsTheLists_data();
    void notFoundKeepsTheLists();
    void manufacturerChoiceEmptiesTheHouseSearch();
    void emptyResultLeavesTheSharedListForLaterWindows();
};

namespace {

const QString kFamilyWithQuote = QString::fromUtf8("Caixas d'água");

} // namespace

void TestCrossReferenceFilters::filters_data()
{
    // Steps: "box=text" chooses an entry from the list, "box:text" types it and presses Enter.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("references");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("companies");
    const QStringList allFamilies{kFamilyWithQuote, "Disjuntores", "Tomadas"};
    const QStringList djCompanies{"ELETRAMAX", "VOLTRIX", "VESTRAL (Ref. Antiga)"};

    QTest::newRow("manufacturer alone")
        << QStringList{"comCompanies=ELETRAMAX"}
        << QStringList{"DUP-1", "ELX-20", "ELX-32", "ELX-T10", "QA-1"} << allFamilies << QStringList();
    QTest::newRow("old house references are a manufacturer")
        << QStringList{"comCompanies=VESTRAL (Ref. Antiga)"} << QStringList{"OLD-100"}
        << QStringList{"Disjuntores"} << QStringList();
    QTest::newRow("typed house brand lists nothing")
        << QStringList{"comCompanies:QV"} << QStringList() << allFamilies << QStringList();
    QTest::newRow("family alone") << QStringList{"comFamilies=Disjuntores"}
                                  << QStringList{"DUP-1", "ELX-20", "ELX-32", "OLD-100", "VTX-20"}
                                  << allFamilies << djCompanies;
    QTest::newRow("family with a quote is found")
        << QStringList{QStringLiteral("comFamilies=") + kFamilyWithQuote} << QStringList{"QA-1"}
        << allFamilies << QStringList{"ELETRAMAX"};
    QTest::newRow("manufacturer in family") << QStringList{"comFamilies=Disjuntores", "comCompanies=VOLTRIX"}
                                            << QStringList{"VTX-20"} << allFamilies << djCompanies;
    QTest::newRow("family of manufacturer") << QStringList{"comCompanies:VOLTRIX", "comFamilies=Tomadas"}
                                            << QStringList{"DUP-1", "VTX-T10", "VTX-T20"}
                                            << QStringList{"Disjuntores", "Tomadas"} << QStringList();
    QTest::newRow("nothing in common, no message")
        << QStringList{"comFamilies=" + kFamilyWithQuote, "comCompanies:VOLTRIX"} << QStringList()
        << allFamilies << QStringList{"ELETRAMAX"};
}

void TestCrossReferenceFilters::filters()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, references);
    QFETCH(QStringList, families);
    QFETCH(QStringList, companies);
    SearchWindowFixture f;
    const QStringList companiesBefore = f.entries("comCompanies");
    QString lastFamily;
    for (const QString& step : steps) {
        const qsizetype typed = step.indexOf(':');
        const qsizetype chosen = step.indexOf('=');
        const bool choose = chosen > 0 && (typed < 0 || chosen < typed);
        const qsizetype split = choose ? chosen : typed;
        const QString box = step.left(split);
        const QString value = step.mid(split + 1);
        if (choose)
            f.choose(box, value);
        else
            f.typeAndEnter(box, value);
        if (box == "comFamilies")
            lastFamily = value;
    }
    QVERIFY2(f.platform().messages.isEmpty(), qPrintable(f.platform().messageTexts().join('|')));
    QCOMPARE(f.entries("comReferences"), references);
    QCOMPARE(f.entries("comFamilies"), families);
    // Manufacturers of a family come in the order the database gives them.
    QStringList shownCompanies = f.entries("comCompanies");
    QStringList expectedCompanies = companies.isEmpty() ? companiesBefore : companies;
    shownCompanies.sort();
    expectedCompanies.sort();
    QCOMPARE(shownCompanies, expectedCompanies);
    if (!lastFamily.isEmpty())
        QCOMPARE(f.text("comFamilies"), lastFamily);
}

void TestCrossReferenceFilters::notFoundKeepsTheLists_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("unknown manufacturer") << "comCompanies" << "NADA" << QString::fromUtf8("Fabricante não existe");
    QTest::newRow("empty manufacturer") << "comCompanies" << "" << QString::fromUtf8("Fabricante não existe");
    QTest::newRow("unknown family") << "comFamilies" << "Nada" << QString::fromUtf8("Familia não existe");
    QTest::newRow("empty family") << "comFamilies" << "" << QString::fromUtf8("Familia não existe");
    // clang-format on
}

void TestCrossReferenceFilters::notFoundKeepsTheLists()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    SearchWindowFixture f;
    const QStringList references = f.entries("comReferences");
    const QStringList families = f.entries("comFamilies");
    const QStringList companies = f.entries("comCompanies");
    f.typeAndEnter(box, typed);
    QCOMPARE(f.platform().messages.size(), 1);
    QCOMPARE(f.platform().messages.at(0).text, message);
    QCOMPARE(f.platform().messages.at(0).title, QStringLiteral("Aviso"));
    QCOMPARE(f.entries("comReferences"), references);
    QCOMPARE(f.entries("comFamilies"), families);
    QCOMPARE(f.entries("comCompanies"), companies);
    QCOMPARE(f.text(box), typed);
}

void TestCrossReferenceFilters::manufacturerChoiceEmptiesTheHouseSearch()
{
    SearchWindowFixture f;
    f.typeAndEnter("CbxRef", "KV-100");
    QCOMPARE(f.text("CbxDesc"), QStringLiteral("Disjuntor bipolar 20 A"));
    QCOMPARE(f.window()->contador(), 0);
    f.typeAndEnter("comCompanies", "NADA");
    // Even when the manufacturer is not found, the house texts are emptied first.
    QCOMPARE(f.text("CbxRef"), QString());
    QCOMPARE(f.text("CbxDesc"), QString());
    QCOMPARE(f.window()->contador(), 1);

    f.typeAndEnter("CbxRef", "KV-100");
    f.choose("comFamilies", "Tomadas"); // the family filter leaves the house search alone
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));
    QCOMPARE(f.window()->contador(), 0);
}

void TestCrossReferenceFilters::emptyResultLeavesTheSharedListForLaterWindows()
{
    SearchWindowFixture f;
    f.choose("comCompanies", "ELETRAMAX");
    const QStringList eletramax = f.entries("comReferences");
    // VOLTRIX has nothing in "Caixas d'água": this window's list empties, the shared one stays.
    f.choose("comFamilies", kFamilyWithQuote);
    f.typeAndEnter("comCompanies", "VOLTRIX");
    QCOMPARE(f.entries("comReferences"), QStringList());
    auto later = f.openAnother();
    QCOMPARE(later->findChild<ComboBox*>("comReferences")->entries(), QStringList({"QA-1"}));
    QVERIFY(!eletramax.isEmpty());
}

QTEST_MAIN(TestCrossReferenceFilters)
#include "tst_crossreferencefilters.moc"
