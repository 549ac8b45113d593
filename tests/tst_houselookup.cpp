#include "SearchWindowFixture.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

// Finding a house product by the beginning of its reference or a part of its description.
class TestHouseLookup : public QObject
{
    Q_OBJECT

private slots:
    void lookups_data();
    void lookups();
    void fromTheCrossReferencePanelNothingFoundGivesNoMessage();
    void descriptionEnterEmptiesTheCrossReferenceTexts();
    void arrowKeysShowEachProductInTurn();
    void theCatalogueFileIsNeverChanged();
};

void TestHouseLookup::lookups_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");  // reference shown, empty when nothing is found
    QTest::addColumn<QString>("message");

    const QString noReference = QString::fromUtf8("Referência não existe");
    const QString noDescription = QString::fromUtf8("Nenhum produto encontrado com essa descrição");
    QTest::newRow("prefix, first in database order") << "CbxRef" << "KV-10" << "KV-100" << "";
    QTest::newRow("whole reference") << "CbxRef" << "KV-1000" << "KV-1000" << "";
    QTest::newRow("quote removed from a reference") << "CbxRef" << "K'V-D" << "KV-D'AGUA" << "";
    QTest::newRow("reference kept untrimmed: trailing blank") << "CbxRef" << "KV-300 " << "KV-300 " << "";
    QTest::newRow("reference kept untrimmed, then its blank set aside") << "CbxRef" << "KV-100 " << "KV-100" << "";
    QTest::newRow("underscore is a wildcard") << "CbxRef" << "A_B" << "AXB1" << "";
    QTest::newRow("percent is a wildcard") << "CbxRef" << "%1000" << "KV-1000" << "";
    QTest::newRow("case does not matter") << "CbxRef" << "kv-101" << "KV-101" << "";
    QTest::newRow("empty reference finds the first product") << "CbxRef" << "" << "KV-100" << "";
    QTest::newRow("unknown reference") << "CbxRef" << "ZZ" << "" << noReference;
    QTest::newRow("substring of a description") << "CbxDesc" << "tripolar" << "KV-101" << "";
    QTest::newRow("description trimmed") << "CbxDesc" << "   tripolar 32  " << "KV-101" << "";
    QTest::newRow("description searched with its quote") << "CbxDesc" << QString::fromUtf8("d'água") << "KV-D'AGUA"
                                                         << "";
    QTest::newRow("empty description finds the first product") << "CbxDesc" << "" << "KV-100" << "";
    QTest::newRow("unknown description") << "CbxDesc" << "xyz" << "" << noDescription;
    QTest::newRow("SQL in a description is only text") << "CbxDesc" << "'; DROP TABLE RELATIONS; --" << ""
                                                       << noDescription;
}

void TestHouseLookup::lookups()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    QFETCH(QString, message);
    SearchWindowFixture f;
    f.choose("comReferences", "ELX-20");  // something in the cross-reference panel to be emptied
    f.platform().clear();

    f.typeAndEnter(box, typed);

    QCOMPARE(f.platform().messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(f.platform().messages.at(0).title, QStringLiteral("Aviso"));
    // A direct lookup empties the cross-reference panel, found or not.
    for (const char* emptied : {"comReferences", "comFamilies", "comCompanies", "txtDetalhes", "CbxDesc1", "lblQuiro"})
        QVERIFY2(f.text(emptied).isEmpty(), emptied);
    QCOMPARE(f.window()->contador(), 0);
    if (found.isEmpty()) {
        QCOMPARE(f.text(box), typed);
        QCOMPARE(f.text("Composicao"), QString());
        QCOMPARE(f.text("ReferenciaNova"), QString());
        QVERIFY(!f.isShown("FrameDesenho"));
        QCOMPARE(f.isShown("fraAlerta"), box == "CbxRef");
    } else {
        QCOMPARE(f.text("CbxRef"), found);
        QVERIFY(!f.text("CbxDesc").isEmpty());
        QVERIFY(!f.isShown("fraAlerta"));
    }
}

void TestHouseLookup::fromTheCrossReferencePanelNothingFoundGivesNoMessage()
{
    SearchWindowFixture f;
    f.choose("comCompanies", "ELETRAMAX");
    QCOMPARE(f.window()->contador(), 1);
    f.typeAndEnter("CbxRef", "NOPE");
    QVERIFY(f.platform().messages.isEmpty());
    QCOMPARE(f.text("CbxRef"), QString());
    QCOMPARE(f.text("lblQuiro"), QStringLiteral("NOPE "));
    QVERIFY(f.isShown("fraAlerta"));
    QCOMPARE(f.text("comCompanies"), QStringLiteral("ELETRAMAX"));
    QCOMPARE(f.window()->contador(), 0);

    // The alert stays through a description lookup; the next reference lookup is direct.
    f.typeAndEnter("CbxDesc", "tripolar");
    QVERIFY(f.isShown("fraAlerta"));
    f.typeAndEnter("CbxRef", "NOPE");
    QCOMPARE(f.platform().messageTexts(), QStringList{QString::fromUtf8("Referência não existe")});
    QCOMPARE(f.text("lblQuiro"), QString());
    QCOMPARE(f.text("CbxRef"), QStringLiteral("NOPE"));
}

void TestHouseLookup::descriptionEnterEmptiesTheCrossReferenceTexts()
{
    SearchWindowFixture f;
    // A choice in the description list with Contador 1 leaves the cross-reference texts.
    f.choose("comCompanies", "ELETRAMAX");
    f.choose("CbxDesc", "Disjuntor tripolar 32 A");
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-101"));
    QCOMPARE(f.text("comCompanies"), QStringLiteral("ELETRAMAX"));
    QCOMPARE(f.window()->contador(), 0);

    // Enter empties them even when Contador was 1.
    f.choose("comCompanies", "ELETRAMAX");
    f.choose("comFamilies", "Disjuntores");
    f.typeAndEnter("CbxDesc", "bipolar");
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));
    for (const char* emptied : {"comReferences", "comFamilies", "comCompanies"})
        QVERIFY2(f.text(emptied).isEmpty(), emptied);
}

void TestHouseLookup::arrowKeysShowEachProductInTurn()
{
    SearchWindowFixture f;
    ComboBox* references = f.combo("CbxRef");
    references->setFocus();
    QStringList shown;
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(references, Qt::Key_Down);
        shown.append(f.text("CbxDesc"));
    }
    QCOMPARE(shown, QStringList({"Produto com sublinhado", "Produto parecido", "Disjuntor bipolar 20 A"}));
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-100"));
    QVERIFY(f.platform().messages.isEmpty());
}

void TestHouseLookup::theCatalogueFileIsNeverChanged()
{
    SearchWindowFixture f;
    const auto digest = [&] {
        QFile file(f.program().catalogue());
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();
    const qint64 size = QFileInfo(f.program().catalogue()).size();
    f.choose("comCompanies", "ELETRAMAX");
    f.choose("comFamilies", "Disjuntores");
    f.choose("comReferences", "ELX-20");
    f.typeAndEnter("CbxRef", "KV-1");
    f.typeAndEnter("CbxDesc", "d'água");
    QTest::keyClick(f.combo("CbxRef"), Qt::Key_F2);
    QCOMPARE(digest(), before);
    QCOMPARE(QFileInfo(f.program().catalogue()).size(), size);
    QVERIFY(!QFile::exists(f.program().catalogue() + "-journal"));
}

QTEST_MAIN(TestHouseLookup)
#include "tst_houselookup.moc"
