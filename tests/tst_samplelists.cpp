#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "StatementRows.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "base/HouseBrands.h"
#include "base/ScrambleText.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "catalogue/text/AlphabeticalOrder.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QProcess>
#include <QTest>

#include <algorithm>

// The lists of the sample catalogues, long and short, as the boxes show them: each list and
// each filter's result compared with the entries made the plain way from the same rows, one at
// a time: trimmed, scrambled, and sorted by the alphabetical key, then the exact text.
class TestSampleLists : public QObject
{
    Q_OBJECT

private slots:
    void boxesShowTheListsAsRead_data();
    void boxesShowTheListsAsRead();
    void failedOpeningIsReported_data();
    void failedOpeningIsReported();
    void listsKeepEveryCharacter_data();
    void listsKeepEveryCharacter();
};

namespace {

// The manufacturers of a family as the join of every row of the family gave them, before.
const QString kCompaniesByJoin = QStringLiteral(
    "SELECT distinct RELATIONS.COMPANY FROM FAMILIES CROSS JOIN RELATIONS ON RELATIONS.FAMILY = "
    "FAMILIES.FAMILY where FAMILIES.DESCRIPTION = ? COLLATE ANYCASE and RELATIONS.COMPANY <> ? and "
    "RELATIONS.COMPANY <> ?");
// The families of a manufacturer as the join of every row of it gave them, before.
const QString kFamiliesByJoin = QStringLiteral(
    "SELECT distinct FAMILIES.DESCRIPTION, RELATIONS.COMPANY FROM FAMILIES CROSS JOIN RELATIONS ON "
    "RELATIONS.FAMILY = FAMILIES.FAMILY WHERE RELATIONS.COMPANY = ? ORDER BY FAMILIES.DESCRIPTION");

QStringList plainEntries(const QString& sql, const QVariantList& values, EntryRule shown, bool sorted)
{
    QString error;
    const QList<QVariantList> rows = statementRows(Module1::Opened().Conn.handle(), sql, values, &error);
    if (!error.isEmpty())
        qFatal("%s", qPrintable(error));
    QStringList entries;
    for (const QVariantList& row : rows) {
        if (row.first().isNull()) {
            if (shown == EntryRule::Trimmed)
                entries.append(QString());
            continue;
        }
        QString text = row.first().toString();
        if (shown != EntryRule::AsStored) {
            while (text.startsWith(QLatin1Char(' ')))
                text.remove(0, 1);
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
        }
        entries.append(shown == EntryRule::TrimmedAndScrambled ? ScrambleText(text) : text);
    }
    if (!sorted)
        return entries;
    std::vector<std::pair<QString, QString>> keyed;
    for (const QString& entry : std::as_const(entries))
        keyed.emplace_back(AlphabeticalOrder::sortKey(entry), entry);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int byKey = a.first.compare(b.first);
        return byKey != 0 ? byKey < 0 : a.second.compare(b.second) < 0;
    });
    QStringList inOrder;
    for (const auto& [key, entry] : keyed)
        inOrder.append(entry);
    return inOrder;
}

QStringList boxEntries(Form2* window, const char* name)
{
    return window->findChild<ComboBox*>(QString::fromLatin1(name))->entries();
}

void setText(Form2* window, const char* name, const QString& text)
{
    window->findChild<ComboBox*>(QString::fromLatin1(name))->setEditText(text);
}

bool make(const QString& path, int products, int relations)
{
    QProcess process;
    process.start(qEnvironmentVariable("LUMEO_MAKECATALOGUE"),
                  {"--products", QString::number(products), "--relations", QString::number(relations), path});
    return process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

void TestSampleLists::boxesShowTheListsAsRead_data()
{
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("relations");
    QTest::newRow("a few hundred products") << 300 << 3000;
    QTest::newRow("small sample") << 3000 << 30000;
    QTest::newRow("medium sample") << 30000 << 300000;
}

void TestSampleLists::boxesShowTheListsAsRead()
{
    QFETCH(int, products);
    QFETCH(int, relations);
    if (qEnvironmentVariableIsEmpty("LUMEO_MAKECATALOGUE"))
        QSKIP("LUMEO_MAKECATALOGUE does not name the sample generator");
    TestProgram program;
    QVERIFY(make(program.catalogue(), products, relations));
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    RecordingPlatform platform;
    const std::unique_ptr<Form2> window = openSearchWindow();

    const QVariantList brands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    const QStringList references =
        plainEntries(CatalogueSql::CompetitorReferences, brands, EntryRule::TrimmedAndScrambled, true);
    const QStringList families = plainEntries(CatalogueSql::Families, {}, EntryRule::Trimmed, false);
    const QStringList companies =
        plainEntries(CatalogueSql::Manufacturers, brands, EntryRule::TrimmedAndScrambled, false);
    QCOMPARE(boxEntries(window.get(), "CbxRef"),
             plainEntries(CatalogueSql::HouseReferences, {}, EntryRule::AsStored, true));
    QCOMPARE(boxEntries(window.get(), "CbxDesc"),
             plainEntries(CatalogueSql::Descriptions, {}, EntryRule::Trimmed, true));
    QCOMPARE(boxEntries(window.get(), "comReferences"), references);
    QCOMPARE(boxEntries(window.get(), "comFamilies"), families);
    QCOMPARE(boxEntries(window.get(), "comCompanies"), companies);
    QVERIFY(references.size() > relations / 2);

    for (const QString& company : companies) {
        window->Form_KeyUp(113, 0);
        setText(window.get(), "comCompanies", company);
        window->comCompanies_Click();
        const QVariantList stored{ScrambleText(company)};
        QCOMPARE(boxEntries(window.get(), "comReferences"),
                 plainEntries(CatalogueSql::ReferencesOfManufacturer, stored + brands,
                              EntryRule::TrimmedAndScrambled, true));
        QCOMPARE(boxEntries(window.get(), "comFamilies"),
                 plainEntries(kFamiliesByJoin, stored, EntryRule::Trimmed, false));
    }
    for (const QString& family : families) {
        window->Form_KeyUp(113, 0);
        setText(window.get(), "comFamilies", family.toUpper());
        window->comFamilies_Click();
        const QVariantList values = QVariantList{family.toUpper()} + brands;
        QCOMPARE(
            boxEntries(window.get(), "comReferences"),
            plainEntries(CatalogueSql::ReferencesInFamily, values, EntryRule::TrimmedAndScrambled, true));
        QCOMPARE(boxEntries(window.get(), "comCompanies"),
                 plainEntries(kCompaniesByJoin, values, EntryRule::TrimmedAndScrambled, false));
    }
    QVERIFY(platform.messages.isEmpty());
}

void TestSampleLists::failedOpeningIsReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("no catalogue") << QString();
    QTest::newRow("competitor references unreadable")
        << "ALTER TABLE RELATIONS RENAME COLUMN REFERENCE TO REF";
    QTest::newRow("house references unreadable") << "DROP TABLE [Tabela Referencias]";
}

// The competitor references are read before the other lists now; a failure of any list is the
// main window's message all the same, and no search window opens.
void TestSampleLists::failedOpeningIsReported()
{
    QFETCH(QString, damage);
    TestProgram program;
    if (!damage.isEmpty()) {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "KV-1", "Disjuntor");
        catalogue.addRelation("ELX-1", "ELETROLUX", "DJ", 1);
        catalogue.exec(damage);
    }
    Module1::DatabasePath = program.catalogue();
    RecordingPlatform platform;
    MDIForm1 main;
    main.MDIForm_Load();
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
    QVERIFY(!Module1::Opened().DatabaseOpened);
    QCOMPARE(CountSearchWindows(), 0);
}

void TestSampleLists::listsKeepEveryCharacter_data()
{
    QTest::addColumn<QByteArray>("stored"); // UTF-8 bytes as the file holds them
    QTest::addColumn<QString>("read");
    QTest::newRow("three and four bytes")
        << QByteArray("\xE2\x82\xAC 5 \xF0\x9D\x84\x9E") << QString::fromUtf8("€ 5 𝄞");
    QTest::newRow("not UTF-8") << QByteArray("A\xE9"
                                             "B\xFF")
                               << QString::fromUtf8("A\xE9"
                                                    "B\xFF");
    // A character cut at the end is damage like any other, as the lookups' values show it.
    QTest::newRow("cut short") << QByteArray("AB\xC3") << QString::fromUtf8("AB\xC3");
}

// Texts are decoded on the way into the list, whatever the file holds (the sample catalogues hold
// characters of one and two bytes).
void TestSampleLists::listsKeepEveryCharacter()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    TestProgram program;
    {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "KV-1", "Disjuntor");
        catalogue.exec(QStringLiteral("INSERT INTO RELATIONS (REFERENCE, COMPANY, FAMILY, REFERENCE_SET) "
                                      "VALUES (CAST(X'%1' AS TEXT), 'ELETROLUX', 'DJ', 2)")
                           .arg(QString::fromLatin1(stored.toHex())));
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::Opened().RefRows.size(), 1);
    QCOMPARE(Module1::Opened().RefRows.at(0), read);
}

QTEST_MAIN(TestSampleLists)
#include "tst_samplelists.moc"
