#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/copy/AccessImportProcess.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include "Jet4CatalogueExport.h"
#include "WindowText.h"

#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Upper and lower case of every letter are the same letter to the lookups, the filters and the
// resolution, in an SQLite catalogue and in the converted copy of an Access file alike; the
// wildcards keep their meaning. A reference written with other separators is found when it can
// be only one entry, or a house reference by its beginning; then accents are set aside too; last,
// a description is found by every word of it, a manufacturer or family as the one entry offered.
class TestAccessLetterCase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void damagedTextIsComparedSafely();

private:
    QTemporaryDir m_dir;
    QString m_sqlite;
    QString m_access;
};

namespace {

const QString kNoReference = QString::fromUtf8("Referência não existe");
const QString kNoDescription = QString::fromUtf8("Nenhum produto encontrado com essa descrição");
const QString kNoFamily = QString::fromUtf8("Familia não existe");
const QString kNoManufacturer = QString::fromUtf8("Fabricante não existe");

// Stored texts in one case, typed texts in the other. The families "Relés A", "RELÉS B" and
// "Relés C" sit in the NOCASE index in an order that a search through it in any other order
// would lose. A house row of group 5 writes its family code in other case than its competitor.
void writeCatalogue(const QString& path)
{
    TestCatalogue catalogue(path);
    catalogue.addProduct(1, QStringLiteral("KV-10"), QString::fromUtf8("Relé com contato auxiliar"));
    catalogue.addProduct(2, QStringLiteral("KV-20"), QString::fromUtf8("RELÉ TÉRMICO DE SOBRECARGA"));
    catalogue.addProduct(3, QString::fromUtf8("AÇO-30"), QString::fromUtf8("Chapa de aço galvanizado"));
    catalogue.addProduct(4, QStringLiteral("KV-40"), QString::fromUtf8("PARAFUSO DE AÇO INOX"));
    catalogue.addProduct(5, QString::fromUtf8("KV-DÁGUA 50"), QString::fromUtf8("Boia para caixa d'água"));
    catalogue.addProduct(6, QStringLiteral("KV-60"), QString::fromUtf8("CAIXA D'ÁGUA 500 L"));
    catalogue.addProduct(7, QStringLiteral("KV-70"), QString::fromUtf8("Cabo elétrico flexível"));
    catalogue.addProduct(8, QString::fromUtf8("ÇX-80"), QStringLiteral("Caixa de passagem"));

    const QString eletramax = QStringLiteral("ELETRAMAX");
    const QString voltrix = QStringLiteral("VOLTRIX");
    const QString qv = QStringLiteral("QV");
    catalogue.addRelation(QStringLiteral("ELX-RA"), eletramax, QStringLiteral("RA"), 1);
    catalogue.addRelation(QStringLiteral("KV-10"), qv, QStringLiteral("RA"), 1);
    catalogue.addRelation(QStringLiteral("VTX-RB"), voltrix, QStringLiteral("RB"), 2);
    catalogue.addRelation(QStringLiteral("KV-20"), qv, QStringLiteral("RB"), 2);
    catalogue.addRelation(QStringLiteral("ELX-RC"), eletramax, QStringLiteral("RC"), 3);
    catalogue.addRelation(QStringLiteral("VTX-RC"), voltrix, QStringLiteral("RC"), 3);
    catalogue.addRelation(QStringLiteral("ELX-CX"), eletramax, QStringLiteral("CX"), 4);
    catalogue.addRelation(QStringLiteral("KV-60"), qv, QStringLiteral("CX"), 4);
    catalogue.addRelation(QString::fromUtf8("ELX-ÇA"), eletramax, QString::fromUtf8("ÇA"), 5);
    catalogue.addRelation(QStringLiteral("KV-40"), qv, QString::fromUtf8("çA"), 5);

    // Two manufacturers that differ in case only, each with a reference that differs in case
    // only from the other's, the first stored first; house references and competitor
    // references that are one entry, or two, once the separators are aside.
    catalogue.addProduct(9, QStringLiteral("KV-8207-B"), QString::fromUtf8("Chave de nível"));
    catalogue.addProduct(10, QStringLiteral("KV.90/1"), QStringLiteral("Boia de nível"));
    catalogue.addProduct(11, QStringLiteral("KV 90-1"), QStringLiteral("Boia de nível longa"));
    catalogue.addProduct(12, QStringLiteral("KV-5"), QStringLiteral("Bucha"));
    catalogue.addProduct(13, QStringLiteral("KV 5X"), QStringLiteral("Bucha longa"));
    catalogue.addProduct(14, QStringLiteral("KV-D'AGUA 20"), QStringLiteral("Boia"));
    const QString nv = QStringLiteral("NV");
    const QString sul = QString::fromUtf8("Elétrica Sul");
    catalogue.addRelation(QStringLiteral("CDX-NIVEL 25"), QStringLiteral("Condumax"), nv, 6);
    catalogue.addRelation(QStringLiteral("KV-8207-B"), qv, nv, 6);
    catalogue.addRelation(QStringLiteral("Cdx-Duo"), QStringLiteral("Condumax"), nv, 7);
    catalogue.addRelation(QStringLiteral("CDX-BOIA"), QStringLiteral("CONDUMAX"), nv, 8);
    catalogue.addRelation(QStringLiteral("CDX-DUO"), QStringLiteral("CONDUMAX"), nv, 8);
    catalogue.addRelation(QStringLiteral("KV.90/1"), qv, nv, 7);
    catalogue.addRelation(QStringLiteral("KV 90-1"), qv, nv, 8);
    catalogue.addRelation(QString::fromUtf8("ÉSL-300"), sul, nv, 9);
    catalogue.addRelation(QString::fromUtf8("ÉSL 300"), sul, nv, 9);
    catalogue.addRelation(QString::fromUtf8("és-ção"), sul, nv, 9);
    catalogue.addRelation(QStringLiteral("KV-8207-B"), qv, nv, 9);
    catalogue.addFamily(nv, QString::fromUtf8("Níveis"));

    catalogue.addFamily(QStringLiteral("RA"), QString::fromUtf8("Relés A"));
    catalogue.addFamily(QStringLiteral("RB"), QString::fromUtf8("RELÉS B"));
    catalogue.addFamily(QStringLiteral("RC"), QString::fromUtf8("Relés C"));
    catalogue.addFamily(QStringLiteral("CX"), QString::fromUtf8("CAIXAS D'ÁGUA"));
    catalogue.addFamily(QString::fromUtf8("ÇA"), QString::fromUtf8("Chapas de aço"));
    catalogue.setVersion(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QString(), QString(), QString()});
}

} // namespace

void TestAccessLetterCase::initTestCase()
{
    useOwnCacheFolder();
    QVERIFY(m_dir.isValid());
    QVERIFY2(!AccessImportProcess::program().isEmpty(),
             "lumeo-access-import must be built beside the tests: conversions run in it");
    m_sqlite = m_dir.filePath(QStringLiteral("letras.kvl"));
    writeCatalogue(m_sqlite);
    m_access = m_dir.filePath(QStringLiteral("letras-access.kvl"));
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(m_sqlite, m_access, 0, &error), qPrintable(error));
}

void TestAccessLetterCase::search_data()
{
    // Each step types a text into a box and presses Enter ("box:text"). Each check is a box's
    // text ("box=text"), its list ("box[]=a|b") or whether it is shown ("box?=yes").
    QTest::addColumn<bool>("access");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("checks");

    struct Row
    {
        const char* name;
        QStringList steps;
        QString message;
        QStringList checks;
    };
    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    const QList<Row> rows = {
        // House lookups.
        {"description in capitals finds lower case", {u("CbxDesc:RELÉ")}, {}, {"CbxRef=KV-10"}},
        {"description in lower case finds capitals", {u("CbxDesc:relé térmico")}, {}, {"CbxRef=KV-20"}},
        {"cedilla in capitals", {u("CbxDesc:AÇO")}, {}, {u("CbxRef=AÇO-30")}},
        {"cedilla in lower case", {u("CbxDesc:aço inox")}, {}, {"CbxRef=KV-40"}},
        {"description keeps its quote", {u("CbxDesc:CAIXA D'ÁGUA")}, {}, {u("CbxRef=KV-DÁGUA 50")}},
        {"description keeps its quote, lower case", {u("CbxDesc:caixa d'água 500")}, {}, {"CbxRef=KV-60"}},
        {"description without its accents",
         {u("CbxDesc:eletrico flex")},
         {},
         {"CbxRef=KV-70", u("CbxDesc=Cabo elétrico flexível")}},
        {"no description even without accents", {u("CbxDesc:eletronico")}, kNoDescription, {"CbxRef="}},
        {"description by every word, the first in the catalogue's order",
         {u("CbxDesc:nível de")},
         {},
         {"CbxRef=KV-8207-B", u("CbxDesc=Chave de nível")}},
        {"accented capitals in a description", {u("CbxDesc:ELÉTRICO")}, {}, {"CbxRef=KV-70"}},
        {"underscore stands for an accented letter", {u("CbxDesc:REL_ T_RMICO")}, {}, {"CbxRef=KV-20"}},
        {"percent in a description", {u("CbxDesc:r%é%sobrecarga")}, {}, {"CbxRef=KV-20"}},
        {"reference in lower case", {u("CbxRef:aço-3")}, {}, {u("CbxRef=AÇO-30")}},
        {"reference without its accents, last", {u("CbxRef:aco 3")}, {}, {u("CbxRef=AÇO-30")}},
        {"underscore in a reference", {u("CbxRef:A_O")}, {}, {u("CbxRef=AÇO-30")}},
        {"percent in a reference", {u("CbxRef:%ágUA")}, {}, {u("CbxRef=KV-DÁGUA 50")}},
        {"reference loses its quote", {u("CbxRef:kv-d'água")}, {}, {u("CbxRef=KV-DÁGUA 50")}},
        {"reference beginning with an accented letter", {u("CbxRef:çx-8")}, {}, {u("CbxRef=ÇX-80")}},
        // Filters.
        {"family in capitals",
         {u("comFamilies:RELÉS A")},
         {},
         {"comReferences[]=ELX-RA", "comCompanies[]=ELETRAMAX"}},
        {"family in lower case",
         {u("comFamilies:relés b")},
         {},
         {"comReferences[]=VTX-RB", "comCompanies[]=VOLTRIX"}},
        {"family with a quote", {u("comFamilies:caixas d'água")}, {}, {"comReferences[]=ELX-CX"}},
        {"family of a chosen manufacturer",
         {"comCompanies:ELETRAMAX", u("comFamilies:RELÉS C")},
         {},
         {"comReferences[]=ELX-RC"}},
        {"manufacturer in a chosen family",
         {u("comFamilies:RELÉS C"), "comCompanies:VOLTRIX"},
         {},
         {"comReferences[]=VTX-RC", u("comFamilies=RELÉS C")}},
        {"family without its accents",
         {u("comFamilies:reles a")},
         {},
         {"comReferences[]=ELX-RA", u("comFamilies=Relés A")}},
        {"family with blanks around it", {u("comFamilies: Níveis ")}, {}, {u("comFamilies=Níveis")}},
        {"family that the offers show alone",
         {u("comFamilies:aço chap")},
         {},
         {u("comReferences[]=ELX-ÇA"), u("comFamilies=Chapas de aço")}},
        {"no such family, three offered", {u("comFamilies:relés")}, kNoFamily, {}},
        {"manufacturer in mixed case",
         {"comCompanies:ElEtRaMaX"},
         {},
         {u("comReferences[]=ELX-ÇA|ELX-CX|ELX-RA|ELX-RC"), "comCompanies=ElEtRaMaX"}},
        // Resolution: the house row's family code differs in case only.
        {"house equivalent in a family code of other case",
         {u("comReferences:ELX-ÇA")},
         {},
         {"CbxRef=KV-40", u("comFamilies=Chapas de aço")}},
        // The three boxes: a text that is an entry, one in other case, one with other separators.
        {"manufacturer as listed", {"comCompanies:Condumax"}, {}, {"comReferences[]=Cdx-Duo|CDX-NIVEL 25"}},
        {"other manufacturer as listed", {"comCompanies:CONDUMAX"}, {}, {"comReferences[]=CDX-BOIA|CDX-DUO"}},
        {"manufacturer in lower case finds both",
         {"comCompanies:condumax"},
         {},
         {"comReferences[]=CDX-BOIA|CDX-DUO|Cdx-Duo|CDX-NIVEL 25", u("comFamilies[]=Níveis"),
          "comCompanies=condumax", "CbxRef="}},
        {"manufacturer in mixed case, then a family",
         {"comCompanies:cOnDuMaX", u("comFamilies:NÍVEIS")},
         {},
         {"comReferences[]=CDX-BOIA|CDX-DUO|Cdx-Duo|CDX-NIVEL 25"}},
        {"manufacturer in accented capitals",
         {u("comCompanies:ELÉTRICA SUL")},
         {},
         {u("comReferences[]=és-ção|ÉSL 300|ÉSL-300")}},
        {"manufacturer without its accents",
         {"comCompanies:eletrica sul "},
         {},
         {u("comReferences[]=és-ção|ÉSL 300|ÉSL-300"), u("comCompanies=Elétrica Sul")}},
        {"separators count in a manufacturer", {"comCompanies:Condu-max"}, kNoManufacturer, {}},
        {"no such manufacturer", {"comCompanies:Nenhum"}, kNoManufacturer, {}},
        {"manufacturer that the offers show alone",
         {"comCompanies:sul"},
         {},
         {u("comReferences[]=és-ção|ÉSL 300|ÉSL-300"), u("comCompanies=Elétrica Sul")}},
        {"no such manufacturer, two offered", {"comCompanies:condu"}, kNoManufacturer, {}},
        {"competitor reference as listed",
         {"comReferences:CDX-NIVEL 25"},
         {},
         {"CbxRef=KV-8207-B", "comCompanies=Condumax", u("comFamilies=Níveis")}},
        {"competitor reference in lower case",
         {"comReferences:cdx-nivel 25"},
         {},
         {"CbxRef=KV-8207-B", "comCompanies=Condumax", "comReferences=cdx-nivel 25"}},
        {"competitor reference in mixed case", {"comReferences:Cdx-Nivel 25"}, {}, {"CbxRef=KV-8207-B"}},
        {"competitor reference in accented capitals", {u("comReferences:ÉS-ÇÃO")}, {}, {"CbxRef=KV-8207-B"}},
        {"competitor reference of two manufacturers: the first stored",
         {"comReferences:cdx-duo"},
         {},
         {"CbxRef=KV.90/1", "comCompanies=Condumax"}},
        {"competitor reference as listed: that one",
         {"comReferences:CDX-DUO"},
         {},
         {"CbxRef=KV 90-1", "comCompanies=CONDUMAX"}},
        {"competitor reference with blanks for separators",
         {"comReferences:cdx nivel 25"},
         {},
         {"CbxRef=KV-8207-B", "comReferences=CDX-NIVEL 25", "lblQuiro=KV-8207-B "}},
        {"competitor reference that is two entries without separators",
         {u("comReferences:ésl.300")},
         kNoReference,
         {u("comReferences=ésl.300"), "CbxRef=", "comCompanies="}},
        {"no such competitor reference", {"comReferences:CDX-999"}, kNoReference, {"CbxRef="}},
        {"house reference as listed", {"CbxRef:KV-8207-B"}, {}, {u("CbxDesc=Chave de nível")}},
        {"house reference in mixed case", {"CbxRef:Kv-8207-b"}, {}, {"CbxRef=KV-8207-B"}},
        {"house reference with blanks for separators",
         {"CbxRef:kv 8207 b"},
         {},
         {"CbxRef=KV-8207-B", u("CbxDesc=Chave de nível"), "fraAlerta?=no"}},
        {"house reference that is two entries without separators: the first",
         {"CbxRef:kv 90 1"},
         {},
         {"CbxRef=KV 90-1", "fraAlerta?=no"}},
        {"house reference beginning with separators aside", {"CbxRef:kv 820"}, {}, {"CbxRef=KV-8207-B"}},
        {"house reference with an apostrophe", {"CbxRef:kv-d'agua 2"}, {}, {"CbxRef=KV-D'AGUA 20"}},
        {"house reference beginning, the apostrophe aside", {"CbxRef:kv d ag"}, {}, {"CbxRef=KV-D'AGUA 20"}},
        {"house reference found as typed is not replaced", {"CbxRef:kv 5"}, {}, {"CbxRef=KV 5X"}},
        {"no such house reference", {"CbxRef:kv 99"}, kNoReference, {"CbxRef=kv 99", "fraAlerta?=yes"}},
    };
    for (const bool access : {false, true}) {
        for (const Row& row : rows) {
            QTest::addRow("%s: %s", access ? "Access" : "SQLite", row.name)
                << access << row.steps << row.message << row.checks;
        }
    }
}

void TestAccessLetterCase::search()
{
    QFETCH(bool, access);
    QFETCH(QStringList, steps);
    QFETCH(QString, message);
    QFETCH(QStringList, checks);

    TestProgram program;
    RecordingPlatform platform;
    Module1::DatabasePath = access ? m_access : m_sqlite;
    QVERIFY(OpenCatalogue());
    Form2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QString& step : steps) {
        const qsizetype split = step.indexOf(QLatin1Char(':'));
        auto* box = window.findChild<ComboBox*>(step.left(split));
        QVERIFY2(box, qPrintable(step));
        box->setFocus();
        box->lineEdit()->selectAll();
        typeText(box, step.mid(split + 1));
        QCOMPARE(box->currentText(), step.mid(split + 1));
        QTest::keyClick(box, Qt::Key_Return);
    }

    QCOMPARE(platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    for (const QString& check : checks) {
        const qsizetype split = check.indexOf(QLatin1Char('='));
        const QString control = check.left(split);
        const QString expected = check.mid(split + 1);
        if (control.endsWith(QLatin1Char('?'))) {
            auto* widget = window.findChild<QWidget*>(control.chopped(1));
            QVERIFY2(widget, qPrintable(check));
            QCOMPARE(QString::fromLatin1(widget->isVisibleTo(&window) ? "yes" : "no"), expected);
        } else if (control.endsWith(QStringLiteral("[]"))) {
            auto* box = window.findChild<ComboBox*>(control.chopped(2));
            QVERIFY2(box, qPrintable(check));
            QCOMPARE(box->entries().join(QLatin1Char('|')), expected);
        } else {
            QCOMPARE(textOf(&window, control), expected);
        }
    }
}

// Text that is not well-formed UTF-8, as a damaged or foreign catalogue may hold: each stray
// byte is a character of its own that no typed letter equals, and the well-formed rows around
// it are still found.
void TestAccessLetterCase::damagedTextIsComparedSafely()
{
    TestProgram program;
    RecordingPlatform platform;
    {
        TestCatalogue catalogue(program.catalogue());
        const QString product =
            QStringLiteral("INSERT INTO [Tabela Referencias] (Numero, Referencia, Descriçao) "
                           "VALUES (?, CAST(? AS TEXT), CAST(? AS TEXT))");
        catalogue.exec(product, {1, QByteArray("KV-1"), QByteArray("Rel\xC3")});
        catalogue.exec(product,
                       {2, QByteArray("KV-\xC3\xC3"), QByteArray("\xE9l\xE9trico \xF4\x90\x80\x80")});
        catalogue.exec(product, {3, QByteArray("KV-3"), QByteArray("Rel\xC3\xA9 bom")});
        const QString family =
            QStringLiteral("INSERT INTO FAMILIES (FAMILY, DESCRIPTION) VALUES (?, CAST(? AS TEXT))");
        catalogue.exec(family, {QStringLiteral("F1"), QByteArray("Fam\xC3\xAD\xFF")});
        catalogue.exec(family, {QStringLiteral("F2"), QByteArray("Fam\xC3\xADlia")});
        catalogue.addRelation(QStringLiteral("ELX-1"), QStringLiteral("ELETRAMAX"), QStringLiteral("F2"), 1);
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    Form2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto enter = [&](const char* boxName, const QString& text) {
        auto* box = window.findChild<ComboBox*>(QString::fromLatin1(boxName));
        box->setFocus();
        box->lineEdit()->selectAll();
        typeText(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };

    enter("CbxDesc", QString::fromUtf8("RELÉ"));
    QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("KV-3"));
    enter("CbxRef", QString::fromUtf8("kv-ÃÃ"));
    QCOMPARE(platform.messageTexts(), QStringList{kNoReference});
    platform.clear();
    enter("comFamilies", QString::fromUtf8("FAMÍLIA"));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(window.findChild<ComboBox*>("comReferences")->entries(), QStringList{"ELX-1"});
    enter("comFamilies", QString::fromUtf8("famí"));
    QCOMPARE(platform.messageTexts(), QStringList{kNoFamily});
}

QTEST_MAIN(TestAccessLetterCase)
#include "tst_accesslettercase.moc"
