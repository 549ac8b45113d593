#include "SearchWindowFixture.h"
#include "ui/search/Form2.h"

#include <QTest>

// Resolving a competitor reference to the maker's equivalent product.
class TestResolution : public QObject
{
    Q_OBJECT

private slots:
    void resolves_data();
    void resolves();
    void notFoundChangesNothingElse();
    void withoutHouseEquivalentThePanelStays();
};

void TestResolution::resolves_data()
{
    QTest::addColumn<QString>("reference"); // typed with Enter when it starts with ':'
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("houseReference"); // the product shown, or empty
    QTest::addColumn<QString>("lblQuiro");
    QTest::addColumn<bool>("alert");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("QV equivalent, competitor notes first") << "ELX-20" << "Disjuntores" << "ELETRAMAX" << "Equivale com adaptador" << "KV-100" << "KV-100 " << false << "";
    QTest::newRow("VESTRAL when there is no QV, house notes when the competitor has none") << "ELX-32" << "Disjuntores" << "ELETRAMAX" << "Nota Vestral" << "KV-101" << "KV-101 " << false << "";
    QTest::newRow("competitor notes hide the house notes") << "VTX-T20" << "Tomadas" << "VOLTRIX" << "Nota concorrente" << "KV-200" << "KV-200 " << false << "";
    QTest::newRow("old house reference resolves to the current one") << "OLD-100" << "Disjuntores" << "VESTRAL (Ref. Antiga)" << "Nota da casa" << "KV-100" << "KV-100 " << false << "";
    QTest::newRow("a house reference typed by hand") << ":KV-101" << "Disjuntores" << "VESTRAL" << "Nota Vestral" << "KV-101" << "KV-101 " << false << "";
    QTest::newRow("stored for two manufacturers: the first row decides") << "DUP-1" << "Disjuntores" << "ELETRAMAX" << "" << "KV-200" << "KV-200 " << false << "";
    QTest::newRow("equivalent missing from the house table") << "VTX-T10" << "Tomadas" << "VOLTRIX" << "" << "" << "KV-999 " << true << "";
    QTest::newRow("no house equivalent") << "ELX-T10" << "Tomadas" << "ELETRAMAX" << "" << "" << "" << false << QString::fromUtf8("Referência não existe");
    // clang-format on
}

void TestResolution::resolves()
{
    QFETCH(QString, reference);
    QFETCH(QString, family);
    QFETCH(QString, company);
    QFETCH(QString, notes);
    QFETCH(QString, houseReference);
    QFETCH(QString, lblQuiro);
    QFETCH(bool, alert);
    QFETCH(QString, message);
    SearchWindowFixture f;

    if (reference.startsWith(':'))
        f.typeAndEnter("comReferences", reference.mid(1));
    else
        f.choose("comReferences", reference);

    QCOMPARE(f.platform().messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(f.platform().messages.at(0).title, QStringLiteral("Aviso"));
    QCOMPARE(f.text("comReferences"), reference.startsWith(':') ? reference.mid(1) : reference);
    QCOMPARE(f.text("comFamilies"), family);
    QCOMPARE(f.text("comCompanies"), company);
    QCOMPARE(f.text("txtDetalhes"), notes);
    QCOMPARE(f.text("lblQuiro"), lblQuiro);
    QCOMPARE(f.isShown("fraAlerta"), alert);
    QCOMPARE(f.text("CbxRef"), houseReference);
    QCOMPARE(f.text("CbxDesc").isEmpty(), houseReference.isEmpty());
    if (!houseReference.isEmpty()) {
        QVERIFY(!f.text("CbxDesc1").isEmpty()); // the competitor reference has text
        QCOMPARE(f.text("CbxDesc1"), f.text("CbxDesc"));
        QCOMPARE(f.window()->contador(), 0);
    }
}

void TestResolution::notFoundChangesNothingElse()
{
    SearchWindowFixture f;
    f.choose("comReferences", "ELX-20");
    const QString price = f.text("Preco");
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));

    // A reference whose family has no FAMILIES row, the beginning of a reference, one with a quote.
    for (const QString& missing :
         {QStringLiteral("ORF-1"), QStringLiteral("ELX-2"), QStringLiteral("QA'9")}) {
        f.platform().clear();
        f.typeAndEnter("comReferences", missing);
        QCOMPARE(f.platform().messageTexts(), QStringList{QString::fromUtf8("Referência não existe")});
        QCOMPARE(f.text("CbxRef"), QString());
        QCOMPARE(f.text("CbxDesc"), QString());
        QCOMPARE(f.text("comFamilies"), QStringLiteral("Disjuntores"));
        QCOMPARE(f.text("comCompanies"), QStringLiteral("ELETRAMAX"));
        QCOMPARE(f.text("txtDetalhes"), QStringLiteral("Equivale com adaptador"));
        QCOMPARE(f.text("lblQuiro"), QStringLiteral("KV-100 "));
        QCOMPARE(f.text("Preco"), price);
        QCOMPARE(f.window()->contador(), 1);
    }
}

void TestResolution::withoutHouseEquivalentThePanelStays()
{
    SearchWindowFixture f;
    f.choose("comReferences", "ELX-20");
    f.choose("comReferences", "ELX-T10");
    QCOMPARE(f.text("Preco"), QStringLiteral("1.234,50"));
    QCOMPARE(f.text("lblQuiro"), QString());
    QCOMPARE(f.text("CbxRef"), QString());
    // The lookup that follows is still counted as coming from the cross-reference panel.
    QCOMPARE(f.window()->contador(), 1);
}

QTEST_MAIN(TestResolution)
#include "tst_resolution.moc"
