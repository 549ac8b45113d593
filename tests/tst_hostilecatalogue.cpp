#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WindowText.h"
#include "base/ScrambleText.h"
#include "base/Windows1252.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QtEndian>

#include <functional>

// Catalogue files come from elsewhere: whatever their tables hold, the search window shows
// what its handlers make of it and keeps working.
class TestHostileCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void productWithHostileValues_data();
    void productWithHostileValues();
    void crossReferenceWithHostileValues_data();
    void crossReferenceWithHostileValues();
    void versionTable_data();
    void versionTable();
    void listsWithNullsDuplicatesAndEmptyValues();
    void fiftyMegabytePhoto();
    void storedFileNamesStayInTheProgramDirectory_data();
    void storedFileNamesStayInTheProgramDirectory();
    void storedProgramsAreNeverWritten();
    void programsDisguisedAsPhotos_data();
    void programsDisguisedAsPhotos();
};

namespace {

using Builder = std::function<void(TestCatalogue&)>;

// The least a catalogue needs to open, and one ordinary product to prove the window still
// works after a hostile one.
void addBase(TestCatalogue& c)
{
    c.addProduct(1, QStringLiteral("KV-OK"), QStringLiteral("Produto comum"), 10.0);
    c.addRelation(QStringLiteral("ELX-1"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), 1);
    c.addRelation(QStringLiteral("KV-OK"), QStringLiteral("QV"), QStringLiteral("DJ"), 1);
    c.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
    c.setVersion({QStringLiteral("V"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("Link"),
                  QStringLiteral("http://example.invalid/"), QStringLiteral("Dica")});
}

TestCatalogue::Product product(int numero, const QVariant& referencia, double preco = 10.0)
{
    TestCatalogue::Product p;
    p.numero = numero;
    p.referencia = referencia;
    p.descricao = QStringLiteral("Produto %1").arg(numero);
    p.preco = preco;
    return p;
}

// A BMP header announcing a picture of 50000 x 50000 pixels, followed by a few bytes.
QByteArray pictureBomb()
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    const auto put32 = [&](int at, quint32 value) { qToLittleEndian(value, bmp.data() + at); };
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, 50000);
    put32(22, 50000);
    qToLittleEndian(quint16(1), bmp.data() + 26);
    qToLittleEndian(quint16(32), bmp.data() + 28);
    return bmp + QByteArray(16, '\x7f');
}

// A search window over a catalogue made of the base rows and the test's own.
struct CatalogueWindow
{
    TestProgram program;
    RecordingPlatform platform;
    std::unique_ptr<Form2> window;

    explicit CatalogueWindow(const Builder& build)
    {
        {
            TestCatalogue catalogue(program.catalogue());
            addBase(catalogue);
            build(catalogue);
        }
        Module1::DatabasePath = program.catalogue();
        opened = OpenCatalogue();
        window = std::make_unique<Form2>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("search window not exposed");
    }

    bool opened = false;

    ComboBox* combo(const char* name) const { return window->findChild<ComboBox*>(QString::fromUtf8(name)); }
    QString text(const QString& name) const { return textOf(window.get(), name); }
    bool isShown(const char* name) const
    {
        return window->findChild<QWidget*>(QString::fromUtf8(name))->isVisibleTo(window.get());
    }
    bool showsPhoto() const
    {
        const auto* photo = window->findChild<QLabel*>(QStringLiteral("Picture1"));
        return photo->isVisibleTo(window.get()) && !photo->pixmap().isNull();
    }
    void enter(const char* box, const QString& text)
    {
        ComboBox* target = combo(box);
        target->setFocus();
        target->lineEdit()->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        typeText(target, text);
        QTest::keyClick(target, Qt::Key_Return);
    }
    // The window keeps working: an ordinary product is still found.
    bool stillWorks()
    {
        platform.clear();
        enter("CbxRef", QStringLiteral("KV-OK"));
        return platform.messages.isEmpty() &&
               text(QStringLiteral("CbxDesc")) == QLatin1String("Produto comum") &&
               text(QStringLiteral("Preco")) == QLatin1String("10,00");
    }
};

Builder productScenario(const QString& name)
{
    if (name == "all nulls")
        return [](TestCatalogue& c) {
            TestCatalogue::Product p;
            p.numero = 50;
            p.referencia = QStringLiteral("NUL-1");
            c.addProduct(p);
            c.addPhoto(50, QVariant(QMetaType::fromType<QByteArray>()));
            c.exec(QStringLiteral("INSERT INTO TabelaAnexos (Numeracao, FOTO) VALUES (NULL, NULL)"));
        };
    if (name == "text where numbers are expected")
        return [](TestCatalogue& c) {
            TestCatalogue::Product p = product(51, QStringLiteral("TXT-1"));
            p.preco = QStringLiteral("abc");
            p.peso = QStringLiteral("1,5");
            p.prazo = QStringLiteral("cinco");
            p.ipi = QStringLiteral("isento");
            p.icms = QString();
            p.codAnexo = QStringLiteral("not a number");
            c.addProduct(p);
        };
    if (name == "numbers where text is expected")
        return [](TestCatalogue& c) {
            // Columns without a declared type keep numbers as numbers.
            c.exec(QStringLiteral("DROP TABLE [Tabela Referencias]"));
            c.exec(
                QString::fromUtf8("CREATE TABLE [Tabela Referencias] (Numero, Referencia, Descriçao, Prazo, "
                                  "Peso, Preço, IPI, ICMS, [Class fiscal], Dimensão, Venda, Grupo, "
                                  "[Referencia Nova], Composiçao, CodAnexo)"));
            c.addProduct(1, QStringLiteral("KV-OK"), QStringLiteral("Produto comum"), 10.0);
            TestCatalogue::Product p = product(52, 12345);
            p.descricao = 3.5;
            p.classFiscal = 85362000;
            p.grupo = 1.25;
            p.referenciaNova = 8;
            p.composicao = 7;
            p.venda = -1;
            c.addProduct(p);
        };
    if (name == "photo that is not a picture")
        return [](TestCatalogue& c) {
            c.addProduct(product(53, QStringLiteral("PIC-1")));
            c.addPhoto(53, TestCatalogue::storedFile(QStringLiteral("jpg"), "this is no picture at all"));
        };
    if (name == "truncated picture")
        return [](TestCatalogue& c) {
            c.addProduct(product(54, QStringLiteral("PIC-2")));
            c.addPhoto(54, TestCatalogue::storedFile(QStringLiteral("png"),
                                                     TestCatalogue::picture(300, 200).left(60)));
        };
    if (name == "picture announcing 50000 x 50000 pixels")
        return [](TestCatalogue& c) {
            c.addProduct(product(55, QStringLiteral("PIC-3")));
            c.addPhoto(55, TestCatalogue::storedFile(QStringLiteral("bmp"), pictureBomb()));
        };
    if (name == "photo stored as text")
        return [](TestCatalogue& c) {
            c.addProduct(product(56, QStringLiteral("PIC-4")));
            // A text value holds one byte per character in Windows-1252.
            c.addPhoto(56, Windows1252::decode(TestCatalogue::storedFile(QStringLiteral("png"),
                                                                         TestCatalogue::picture(30, 20))));
        };
    if (name == "photo extension with a path")
        return [](TestCatalogue& c) {
            c.addProduct(product(57, QStringLiteral("PIC-5")));
            c.addPhoto(57,
                       TestCatalogue::storedFile(QStringLiteral("../../x"), TestCatalogue::picture(30, 20)));
        };
    if (name == "photo shorter than its extension field")
        return [](TestCatalogue& c) {
            c.addProduct(product(58, QStringLiteral("PIC-6")));
            c.addPhoto(58, QByteArray("png"));
        };
    if (name == "empty photo and attachment")
        return [](TestCatalogue& c) {
            TestCatalogue::Product p = product(59, QStringLiteral("PIC-7"));
            p.codAnexo = 59;
            c.addProduct(p);
            c.addPhoto(59, QByteArray(""));
            c.addAttachment(59, QByteArray(""));
        };
    if (name == "huge texts")
        return [](TestCatalogue& c) {
            TestCatalogue::Product p = product(60, QStringLiteral("BIG-1"));
            p.descricao = QString(10000, QLatin1Char('d'));
            p.composicao = QString(200000, QLatin1Char('c'));
            c.addProduct(p);
        };
    if (name == "control characters in texts")
        return [](TestCatalogue& c) {
            TestCatalogue::Product p = product(61, QStringLiteral("CTL-1"));
            p.descricao = QStringLiteral("Linha\x01\tum") + QChar(0) + QStringLiteral("fim");
            p.grupo = QStringLiteral("\x1b[31mG\x1b[0m");
            c.addProduct(p);
        };
    if (name == "duplicate references")
        return [](TestCatalogue& c) {
            TestCatalogue::Product first = product(62, QStringLiteral("DUP"));
            first.descricao = QStringLiteral("Primeiro");
            TestCatalogue::Product second = product(63, QStringLiteral("DUP"), 20.0);
            second.descricao = QStringLiteral("Segundo");
            c.addProduct(first);
            c.addProduct(second);
        };
    if (name == "stored wildcards")
        return [](TestCatalogue& c) { c.addProduct(product(64, QStringLiteral("50%_OFF"))); };
    return {};
}

} // namespace

void TestHostileCatalogue::productWithHostileValues_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("typed"); // into CbxRef, then Enter
    QTest::addColumn<QVariantMap>("shown");
    QTest::addColumn<bool>("photo");
    QTest::addColumn<bool>("drawing");

    const QVariantMap empty{{"CbxDesc", ""}, {"Preco", ""},      {"Peso", ""},          {"Prazo", ""},
                            {"IPI", ""},     {"Composicao", ""}, {"ReferenciaNova", ""}};
    QTest::newRow("all nulls") << "all nulls"
                               << "NUL-1" << QVariantMap{{"CbxRef", "NUL-1"}, {"CbxDesc", ""},
                                                         {"Preco", ""},       {"Peso", ""},
                                                         {"Prazo", ""},       {"IPI", ""},
                                                         {"ICMS", ""},        {"ClassFiscal", ""},
                                                         {"txtVolume", ""},   {"StatusVenda", ""},
                                                         {"Grupo", ""},       {"ReferenciaNova", ""},
                                                         {"Composicao", ""}}
                               << false << false;
    QTest::newRow("text where numbers are expected")
        << "text where numbers are expected"
        << "TXT-1"
        << QVariantMap{{"Preco", ""}, {"Peso", "1,500"}, {"Prazo", "cinco"}, {"IPI", "isento"}, {"ICMS", ""}}
        << false << false;
    QTest::newRow("numbers where text is expected")
        << "numbers where text is expected"
        << "123" << QVariantMap{{"CbxRef", "12345"},  {"CbxDesc", "3,5"},      {"ClassFiscal", "85362000"},
                                {"Grupo", "1,25"},    {"ReferenciaNova", "8"}, {"Composicao", "7"},
                                {"StatusVenda", "-1"}}
        << false << false;
    // A photo that cannot be shown ends the panel where it stands: the boxes stay empty.
    QTest::newRow("photo that is not a picture") << "photo that is not a picture"
                                                 << "PIC-1" << empty << false << false;
    QTest::newRow("truncated picture") << "truncated picture"
                                       << "PIC-2" << empty << false << false;
    QTest::newRow("picture announcing 50000 x 50000 pixels") << "picture announcing 50000 x 50000 pixels"
                                                             << "PIC-3" << empty << false << false;
    QTest::newRow("photo stored as text") << "photo stored as text"
                                          << "PIC-4" << QVariantMap{{"Preco", "10,00"}} << true << false;
    QTest::newRow("photo extension with a path")
        << "photo extension with a path"
        << "PIC-5" << QVariantMap{{"Preco", "10,00"}, {"CbxDesc", "Produto 57"}} << true << false;
    QTest::newRow("photo shorter than its extension field")
        << "photo shorter than its extension field"
        << "PIC-6" << QVariantMap{{"Preco", "10,00"}, {"CbxDesc", "Produto 58"}} << false << false;
    QTest::newRow("empty photo and attachment")
        << "empty photo and attachment"
        << "PIC-7" << QVariantMap{{"Preco", "10,00"}} << false << false;
    QTest::newRow("huge texts") << "huge texts"
                                << "BIG-1"
                                << QVariantMap{{"CbxDesc", QString(10000, QLatin1Char('d'))},
                                               {"Composicao", QString(200000, QLatin1Char('c'))}}
                                << false << false;
    QTest::newRow("control characters in texts")
        << "control characters in texts"
        << "CTL-1" << QVariantMap{{"Grupo", QStringLiteral("\x1b[31mG\x1b[0m")}, {"Preco", "10,00"}} << false
        << false;
    QTest::newRow("duplicate references: the first is shown")
        << "duplicate references"
        << "DUP" << QVariantMap{{"CbxDesc", "Primeiro"}, {"Preco", "10,00"}} << false << false;
    QTest::newRow("stored wildcards are plain text")
        << "stored wildcards"
        << "50%" << QVariantMap{{"CbxRef", "50%_OFF"}} << false << false;
}

void TestHostileCatalogue::productWithHostileValues()
{
    QFETCH(QString, scenario);
    QFETCH(QString, typed);
    QFETCH(QVariantMap, shown);
    QFETCH(bool, photo);
    QFETCH(bool, drawing);
    CatalogueWindow w(productScenario(scenario));
    QVERIFY(w.opened);

    w.enter("CbxRef", typed);

    QVERIFY2(w.platform.messages.isEmpty(), qPrintable(w.platform.messageTexts().join('|')));
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        QVERIFY2(w.text(it.key()) == it.value().toString(),
                 qPrintable(it.key() + ": " + w.text(it.key()).left(80)));
    QCOMPARE(w.showsPhoto(), photo);
    QCOMPARE(w.isShown("FrameDesenho"), drawing);
    QVERIFY(w.stillWorks());
}

void TestHostileCatalogue::crossReferenceWithHostileValues_data()
{
    QTest::addColumn<QString>("reference"); // chosen in comReferences
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("house"); // CbxRef afterwards

    const QString missing = QString::fromUtf8("Referência não existe");
    QTest::newRow("null group: no house equivalent") << "NOSET" << missing << "Disjuntores"
                                                     << "ELETRAMAX"
                                                     << "";
    QTest::newRow("text group") << "TXTSET" << missing << "Disjuntores"
                                << "ELETRAMAX"
                                << "";
    QTest::newRow("null company") << "NOCOMP"
                                  << ""
                                  << "Disjuntores"
                                  << ""
                                  << "KV-OK";
    QTest::newRow("null family description") << "NODESC" << missing << ""
                                             << "VOLTRIX"
                                             << "";
    QTest::newRow("house row with a null reference") << "HOLLOW"
                                                     << ""
                                                     << "Tomadas"
                                                     << "VOLTRIX"
                                                     << "KV-OK";
}

void TestHostileCatalogue::crossReferenceWithHostileValues()
{
    QFETCH(QString, reference);
    QFETCH(QString, message);
    QFETCH(QString, family);
    QFETCH(QString, company);
    QFETCH(QString, house);
    CatalogueWindow w([](TestCatalogue& c) {
        c.addRelation(QStringLiteral("NOSET"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), QVariant());
        c.addRelation(QStringLiteral("TXTSET"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"),
                      QStringLiteral("um"));
        c.addRelation(QStringLiteral("NOCOMP"), QVariant(), QStringLiteral("DJ"), 1);
        c.addRelation(QStringLiteral("NODESC"), QStringLiteral("VOLTRIX"), QStringLiteral("ND"), 3);
        c.addFamily(QStringLiteral("ND"), QVariant());
        c.addRelation(QStringLiteral("HOLLOW"), QStringLiteral("VOLTRIX"), QStringLiteral("TM"), 4);
        c.addRelation(QVariant(), QStringLiteral("QV"), QStringLiteral("TM"), 4);
        c.addFamily(QStringLiteral("TM"), QStringLiteral("Tomadas"));
        c.addRelation(QVariant(), QStringLiteral("VOLTRIX"), QVariant(), QVariant(), QVariant());
    });
    QVERIFY(w.opened);

    w.enter("comReferences", reference);

    QCOMPARE(w.platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w.text("comFamilies"), family);
    QCOMPARE(w.text("comCompanies"), company);
    QCOMPARE(w.text("CbxRef"), house);
    QVERIFY(w.stillWorks());
}

void TestHostileCatalogue::versionTable_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("linkTitle");
    QTest::addColumn<QString>("linkTarget");

    QTest::newRow("no rows") << QStringList{"DELETE FROM TabelaVersao"} << ""
                             << ""
                             << "";
    QTest::newRow("no table") << QStringList{"DROP TABLE TabelaVersao"} << ""
                              << ""
                              << "";
    QTest::newRow("only one column") << QStringList{"DROP TABLE TabelaVersao",
                                                    "CREATE TABLE TabelaVersao (Versao TEXT)",
                                                    "INSERT INTO TabelaVersao VALUES ('V9')"}
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("three columns, no link")
        << QStringList{"DROP TABLE TabelaVersao", "CREATE TABLE TabelaVersao (A TEXT, B TEXT, C TEXT)",
                       "INSERT INTO TabelaVersao VALUES ('V9', NULL, 'r')"}
        << "V9  r"
        << ""
        << "";
    QTest::newRow("link columns only")
        << QStringList{"DROP TABLE TabelaVersao",
                       "CREATE TABLE TabelaVersao (LinkPrograma TEXT, TituloLink TEXT)",
                       "INSERT INTO TabelaVersao VALUES ('x\" & calc', 'T')"}
        << ""
        << "T"
        << "x\" & calc";
    QTest::newRow("numbers and nulls")
        << QStringList{"DELETE FROM TabelaVersao",
                       "INSERT INTO TabelaVersao VALUES (7, 2.5, NULL, 1, NULL, 3)"}
        << "7 2.5 "
        << "1"
        << "";
    QTest::newRow("two rows: the first counts")
        << QStringList{"DELETE FROM TabelaVersao",
                       "INSERT INTO TabelaVersao VALUES ('a','b','c','T1','L1','D1')",
                       "INSERT INTO TabelaVersao VALUES ('x','y','z','T2','L2','D2')"}
        << "a b c"
        << "T1"
        << "L1";
}

void TestHostileCatalogue::versionTable()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, version);
    QFETCH(QString, linkTitle);
    QFETCH(QString, linkTarget);
    CatalogueWindow w([&](TestCatalogue& c) {
        for (const QString& statement : statements)
            c.exec(statement);
    });
    QVERIFY(w.opened);
    QCOMPARE(w.text("LabelVersao"), version);
    QCOMPARE(w.text("LinkPrograma"), linkTitle);

    QWidget* link = w.window->findChild<QWidget*>(QStringLiteral("LinkPrograma"));
    link->show();
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(w.platform.viewerCommands.size(), 1);
    QCOMPARE(w.platform.viewerCommands.at(0).target, linkTarget);
    QVERIFY(w.platform.viewerCommands.at(0).quoted);
    QVERIFY(w.stillWorks());
}

void TestHostileCatalogue::listsWithNullsDuplicatesAndEmptyValues()
{
    CatalogueWindow w([](TestCatalogue& c) {
        c.addProduct(product(70, QVariant()));
        c.addProduct(product(71, QStringLiteral("x")));
        c.addProduct(product(72, QStringLiteral("DUP")));
        c.addProduct(product(73, QStringLiteral("DUP")));
        c.exec(QString::fromUtf8("UPDATE [Tabela Referencias] SET Descriçao = NULL WHERE Numero = 70"));
        c.exec(QStringLiteral("UPDATE [Tabela Referencias] SET Referencia = '' WHERE Numero = 71"));
        c.exec(QStringLiteral("INSERT INTO RELATIONS VALUES ('', ?, 'DJ', 9, NULL)"),
               {ScrambleText("ELETRAMAX")});
        c.exec(QStringLiteral("INSERT INTO RELATIONS VALUES (?, '', 'DJ', 9, NULL)"), {ScrambleText("ANON")});
        c.addRelation(QStringLiteral("ELX-1"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), 1);
        c.exec(QStringLiteral("INSERT INTO FAMILIES VALUES ('E', ''), ('N', NULL)"));
    });
    QVERIFY(w.opened);
    const QStringList references = w.combo("CbxRef")->entries();
    QCOMPARE(references.count(QStringLiteral("DUP")), 2);
    QCOMPARE(references.count(QString()), 1); // the empty one; the null one is left out
    QVERIFY(w.combo("CbxDesc")->entries().contains(QString()));
    QCOMPARE(w.combo("comReferences")->entries().count(QStringLiteral("ELX-1")), 2);
    QVERIFY(w.combo("comFamilies")->entries().contains(QString()));

    // An empty reference is a reference like any other: Enter on an empty box finds it first.
    w.enter("CbxRef", QString());
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.text("CbxDesc"), QStringLiteral("Produto comum"));
    // The empty manufacturer exists, so the filter runs instead of saying it does not.
    w.platform.clear();
    w.enter("comCompanies", QString());
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.combo("comReferences")->entries(), QStringList{"ANON"});
    w.platform.clear();
    w.enter("comFamilies", QString());
    QVERIFY(w.platform.messages.isEmpty());
    QVERIFY(w.stillWorks());
}

void TestHostileCatalogue::fiftyMegabytePhoto()
{
    // A real picture followed by padding: decoders stop at the picture's end.
    QByteArray content = TestCatalogue::picture(300, 200, "PNG");
    content.append(QByteArray(50 * 1024 * 1024 - content.size(), '\0'));
    const QByteArray digest = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    CatalogueWindow w([&](TestCatalogue& c) {
        c.addProduct(product(80, QStringLiteral("HUGE")));
        c.addPhoto(80, TestCatalogue::storedFile(QStringLiteral("png"), content));
    });
    QVERIFY(w.opened);
    content.clear();

    w.enter("CbxRef", QStringLiteral("HUGE"));
    QVERIFY(w.platform.messages.isEmpty());
    QVERIFY(w.showsPhoto());
    QCOMPARE(w.text("Preco"), QStringLiteral("10,00"));
    QFile preview(w.window->photoPreviewPath());
    QVERIFY(preview.open(QIODevice::ReadOnly));
    QCOMPARE(preview.size(), qint64(50 * 1024 * 1024));
    QCOMPARE(QCryptographicHash::hash(preview.readAll(), QCryptographicHash::Sha256), digest);
    QVERIFY(w.stillWorks());
}

void TestHostileCatalogue::storedFileNamesStayInTheProgramDirectory_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::newRow("parent directory") << QByteArray("../../escaped");
    QTest::newRow("backslash parent") << QByteArray("..\\..\\escaped");
    QTest::newRow("absolute path") << QByteArray("/tmp/escaped");
    QTest::newRow("sub directory") << QByteArray("sub/escaped");
    QTest::newRow("dot dot") << QByteArray("..");
    QTest::newRow("drive") << QByteArray("C:escaped");
    QTest::newRow("line end") << QByteArray("jpg\nx");
    QTest::newRow("null character") << QByteArray("jpg\0x", 5);
}

void TestHostileCatalogue::storedFileNamesStayInTheProgramDirectory()
{
    QFETCH(QByteArray, extension);
    const QByteArray stored = extension.leftJustified(30, ' ') + TestCatalogue::picture(30, 20);
    CatalogueWindow w([&](TestCatalogue& c) {
        TestCatalogue::Product p = product(90, QStringLiteral("ESC-1"));
        p.codAnexo = 90;
        c.addProduct(p);
        c.addPhoto(90, stored);
        c.addAttachment(90, stored);
    });
    QVERIFY(w.opened);
    const QDir parent = QDir(w.program.directory()).absoluteFilePath(QStringLiteral(".."));
    const QStringList parentBefore = parent.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    // A picture shows under its own type, whatever its extension field holds.
    w.enter("CbxRef", QStringLiteral("ESC-1"));
    QVERIFY(w.platform.messages.isEmpty());
    const QString photo = w.program.file(QString::fromUtf8("ArquivoTemporárioDePrévia.png"));
    QCOMPARE(w.window->photoPreviewPath(), QDir::toNativeSeparators(photo));
    QCOMPARE(w.text("Preco"), QStringLiteral("10,00"));
    QVERIFY(w.isShown("FrameDesenho"));
    QWidget* drawing = w.window->findChild<QWidget*>(QStringLiteral("BtnDesenho"));
    QTest::mouseClick(drawing, Qt::LeftButton);
    QCOMPARE(w.platform.viewerCommands.size(), 1);
    QVERIFY(w.platform.viewerCommands.at(0).commandLine().contains(
        QString::fromUtf8("AnexoTemporárioDePrévia.png\"")));

    QCOMPARE(QDir(w.program.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({QString::fromUtf8("AnexoTemporárioDePrévia.png"),
                          QString::fromUtf8("ArquivoTemporárioDePrévia.png"), "lumeo.kvl"}));
    QCOMPARE(parent.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), parentBefore);
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/escaped")));
    w.window->showNormal();
    QVERIFY(w.stillWorks());
}

// A photo stored as "exe" and a drawing stored as "bat" would be run by the desktop, not
// shown: the product is shown without photo, the drawing button still appears, and a click
// on it asks the desktop to open an empty path and writes nothing.
void TestHostileCatalogue::storedProgramsAreNeverWritten()
{
    CatalogueWindow w([&](TestCatalogue& c) {
        TestCatalogue::Product p = product(91, QStringLiteral("RUN-1"));
        p.codAnexo = 91;
        c.addProduct(p);
        c.addPhoto(91, TestCatalogue::storedFile(QStringLiteral("exe"), "MZ\x90\x00program"));
        c.addAttachment(91, TestCatalogue::storedFile(QStringLiteral("bat"), "start calc.exe\r\n"));
    });
    QVERIFY(w.opened);

    w.enter("CbxRef", QStringLiteral("RUN-1"));
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.text("Preco"), QStringLiteral("10,00"));
    QVERIFY(w.window->photoPreviewPath().isEmpty());
    QVERIFY(!w.showsPhoto());
    QWidget* photo = w.window->findChild<QWidget*>(QStringLiteral("Picture1"));
    QTest::mouseClick(photo, Qt::LeftButton);
    QVERIFY(w.platform.viewerCommands.isEmpty());

    QVERIFY(w.isShown("FrameDesenho"));
    QTest::mouseClick(w.window->findChild<QWidget*>(QStringLiteral("BtnDesenho")), Qt::LeftButton);
    QCOMPARE(w.platform.viewerCommands.size(), 1);
    QCOMPARE(w.platform.viewerCommands.at(0).commandLine(), QStringLiteral("explorer.exe \"\""));
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(QDir(w.program.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"lumeo.kvl"});
    w.window->showNormal();
    QVERIFY(w.stillWorks());
}

// The bytes of a literal, zero bytes included.
template <int N> QByteArray raw(const char (&bytes)[N])
{
    return QByteArray(bytes, N - 1);
}

void TestHostileCatalogue::programsDisguisedAsPhotos_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("content");
    // The preview file written and shown, or empty when nothing may be.
    QTest::addColumn<QString>("preview");

    const QByteArray programs[] = {raw("MZ\x90\0\x03PE program"),
                                   raw("\x7f"
                                       "ELF\x02\x01\x01 linux"),
                                   raw("\xcf\xfa\xed\xfe\x07\0\0\x01 mach-o"),
                                   raw("\xca\xfe\xba\xbe\0\0\0\x02 universal"),
                                   raw("#!/bin/sh\nrm -rf ~\n"),
                                   raw("L\0\0\0\x01\x14\x02\0 shortcut"),
                                   raw("[Desktop Entry]\nExec=xterm\n"),
                                   raw("\xff\xfeR\0E\0G\0E\0D\0I\0T\0"
                                       "4\0")};
    const char* const extensions[] = {"jpg", "", "xyz", "EXE", "chm", "  Png  ", "theme", "dat"};
    for (int i = 0; i < 8; ++i)
        QTest::newRow(qPrintable(QStringLiteral("program %1 as '%2'").arg(i).arg(extensions[i])))
            << QString::fromLatin1(extensions[i]) << programs[i] << QString();
    const QByteArray png = TestCatalogue::picture(30, 20);
    QTest::newRow("picture as 'exe'") << "exe" << png << QString::fromUtf8("ArquivoTemporárioDePrévia.png");
    QTest::newRow("picture as ''") << "" << png << QString::fromUtf8("ArquivoTemporárioDePrévia.png");
    QTest::newRow("picture as 'jpg'") << "jpg" << png << QString::fromUtf8("ArquivoTemporárioDePrévia.jpg");
}

// Whatever its extension field holds, a photo whose bytes are a program is neither written
// nor handed to the desktop, and a picture is shown.
void TestHostileCatalogue::programsDisguisedAsPhotos()
{
    QFETCH(QString, extension);
    QFETCH(QByteArray, content);
    QFETCH(QString, preview);
    CatalogueWindow w([&](TestCatalogue& c) {
        c.addProduct(product(92, QStringLiteral("RUN-2")));
        c.addPhoto(92, TestCatalogue::storedFile(extension, content));
    });
    QVERIFY(w.opened);
    w.enter("CbxRef", QStringLiteral("RUN-2"));
    QVERIFY(w.platform.messages.isEmpty());
    QCOMPARE(w.text("Preco"), QStringLiteral("10,00"));
    QCOMPARE(w.showsPhoto(), !preview.isEmpty());
    QTest::mouseClick(w.window->findChild<QWidget*>(QStringLiteral("Picture1")), Qt::LeftButton);
    QCOMPARE(w.platform.viewerCommands.size(), preview.isEmpty() ? 0 : 1);
    QStringList files{"lumeo.kvl"};
    if (!preview.isEmpty())
        files.append(preview);
    files.sort();
    QCOMPARE(QDir(w.program.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             files);
}

QTEST_MAIN(TestHostileCatalogue)
#include "tst_hostilecatalogue.moc"
