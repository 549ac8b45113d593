#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/opened/HouseLookup.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/CatalogueCheck.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include "Jet4CatalogueExport.h"

#include <QImage>
#include <QTest>
#include <QTimer>

#include <cstdio>

// The monthly release is put in place of the catalogue while the program runs, as IT does it:
// renamed over the old file, copied over it in place (at once or in chunks with pauses), cut,
// or deleted. Every lookup answers from one file, the one the path names once it stands whole.
class TestCatalogueReplacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useOwnCacheFolder(); }
    void releasePutInPlace_data();
    void releasePutInPlace();
    void deletedThenF2();
    void lookupsWhileReplacedAgainAndAgain();
};

namespace {

const QString kUnreadable = QString::fromUtf8("Não foi possível ler o catálogo");
const QString kNoReference = QString::fromUtf8("Referência não existe");

// Next month's release: KV-100 at another price with another photo, KV-777 new, KV-101 gone.
void writeNextRelease(const QString& path)
{
    TestCatalogue catalogue(path);
    TestCatalogue::Product product;
    product.numero = 1;
    product.referencia = QStringLiteral("KV-100");
    product.descricao = QStringLiteral("Disjuntor bipolar 20 A");
    product.preco = 77.0;
    catalogue.addProduct(product);
    catalogue.addPhoto(1, TestCatalogue::storedFile(QStringLiteral("png"), TestCatalogue::picture(120, 240)));
    catalogue.addProduct(2, QStringLiteral("KV-777"), QStringLiteral("Interruptor novo"), 12.5);
    catalogue.addRelation(QStringLiteral("ELX-20"), QStringLiteral("ELETRAMAX"), QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("KV-100"), QStringLiteral("QV"), QStringLiteral("DJ"), 1);
    catalogue.addRelation(QStringLiteral("NEW-7"), QStringLiteral("NOVAMAX"), QStringLiteral("IN"), 2);
    catalogue.addRelation(QStringLiteral("KV-777"), QStringLiteral("QV"), QStringLiteral("IN"), 2);
    catalogue.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
    catalogue.addFamily(QStringLiteral("IN"), QStringLiteral("Interruptores"));
}

// What a lookup of KV-100 shows: its price and the size of its photo, as one text.
QString houseProduct(SearchWindowFixture& f)
{
    f.typeAndEnter("CbxRef", "KV-100");
    const QSize photo = QImage(f.window()->photoPreviewPath()).size();
    return f.text("Preco") + QStringLiteral(" %1x%2").arg(photo.width()).arg(photo.height());
}

const QString kThisMonth = QStringLiteral("1.234,50 300x200");
const QString kNextMonth = QStringLiteral("77,00 120x240");

bool renameOver(const QString& from, const QString& to)
{
    return std::rename(qPrintable(from), qPrintable(to)) == 0;
}

// Copies `from` over `to` in place, a chunk every `pauseMs`, from the event loop; the first
// chunk is written at once.
void copyInChunks(const QString& from, const QString& to, int chunks, int pauseMs)
{
    const QByteArray bytes = readFile(from);
    const qsizetype chunk = bytes.size() / chunks + 1;
    writeFile(to, bytes.left(chunk));
    for (int i = 1; i < chunks; ++i) {
        QTimer::singleShot(i * pauseMs, [to, part = bytes.mid(i * chunk, chunk)] {
            writeFile(to, part, QIODevice::Append);
        });
    }
}

} // namespace

void TestCatalogueReplacement::releasePutInPlace_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("access");
    QTest::addColumn<bool>("opens"); // the file put in place is a catalogue

    QTest::newRow("renamed over") << "rename" << false << true;
    QTest::newRow("copied over in place") << "copy" << false << true;
    QTest::newRow("copied over in chunks with pauses") << "chunks" << false << true;
    QTest::newRow("cut to nothing") << "cut" << false << false;
    QTest::newRow("Access source renamed over") << "rename" << true << true;
    QTest::newRow("Access source copied over in chunks") << "chunks" << true << true;
}

void TestCatalogueReplacement::releasePutInPlace()
{
    QFETCH(QString, how);
    QFETCH(bool, access);
    QFETCH(bool, opens);
    SearchWindowFixture f;
    const QString next = f.program().file("next.kvl");
    writeNextRelease(next);
    if (access) {
        // The program is pointed at an Access copy of each release.
        QString error;
        const QString thisMonth = f.program().file("this.mdb");
        QVERIFY2(Jet4CatalogueExport::convert(f.program().catalogue(), thisMonth, 0, &error),
                 qPrintable(error));
        QVERIFY2(Jet4CatalogueExport::convert(next, f.program().file("next.mdb"), 0, &error),
                 qPrintable(error));
        Module1::DatabasePath = thisMonth;
        QVERIFY(OpenCatalogue());
        f.window()->Form_Load();
    }
    const QString source = next.left(next.size() - 3) + (access ? "mdb" : "kvl");
    std::unique_ptr<Form2> second = f.openAnother();
    QCOMPARE(houseProduct(f), kThisMonth);

    if (how == "rename")
        QVERIFY(renameOver(source, Module1::DatabasePath));
    else if (how == "copy")
        QVERIFY(writeFile(Module1::DatabasePath, readFile(source)));
    else if (how == "chunks")
        copyInChunks(source, Module1::DatabasePath, 4, 300);
    else
        QVERIFY(QFile(Module1::DatabasePath).resize(0));

    f.platform().clear();
    if (!opens) {
        f.typeAndEnter("CbxRef", "KV-100");
        QCOMPARE(f.platform().messageTexts(), QStringList{kUnreadable});
        QVERIFY(f.platform().messages.first().details.contains(Module1::DatabasePath));
        QCOMPARE(f.platform().notices.size(), 1);
        return;
    }
    QCOMPARE(houseProduct(f), kNextMonth);
    QVERIFY2(f.platform().messages.isEmpty(), qPrintable(f.platform().messageTexts().join('|')));
    QCOMPARE(f.platform().notices.size(), 1);
    QVERIFY(f.platform().notices.first().startsWith(QString::fromUtf8("Catálogo atualizado")));
    // Every window took the new lists; the user is told once.
    for (Form2* window : {f.window(), second.get()}) {
        QVERIFY(window->findChild<ComboBox*>("CbxRef")->entries().contains("KV-777"));
        QVERIFY(window->findChild<ComboBox*>("comCompanies")->entries().contains("NOVAMAX"));
    }
    f.typeAndEnter("comReferences", "NEW-7");
    QCOMPARE(f.text("CbxRef"), QStringLiteral("KV-777"));
    QCOMPARE(f.text("Preco"), QStringLiteral("12,50"));
    QCOMPARE(f.platform().notices.size(), 1);
}

void TestCatalogueReplacement::deletedThenF2()
{
    SearchWindowFixture f;
    QVERIFY(QFile::remove(Module1::DatabasePath));
    // The open file answers on; the user hears once that it is gone.
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(houseProduct(f), kThisMonth);
        QVERIFY(f.platform().messages.isEmpty());
    }
    QCOMPARE(f.platform().notices.size(), 1);

    QTest::keyClick(f.combo("CbxRef"), Qt::Key_F2);
    QVERIFY(f.platform().messages.isEmpty());
    QVERIFY(!Module1::Opened().DatabaseOpened);
    f.typeAndEnter("CbxRef", "KV-100");
    QCOMPARE(f.platform().messageTexts(), QStringList{kUnreadable});
    QCOMPARE(f.platform().messages.first().details,
             QString::fromUtf8("Arquivo: %1\nO arquivo não foi encontrado.").arg(Module1::DatabasePath));
    f.platform().clear();
    f.typeAndEnter("comCompanies", "ELETRAMAX");
    QCOMPARE(f.platform().messageTexts(), QStringList{kUnreadable});
}

// Two releases take turns in place while lookups run, some of them replaced in the middle of a
// lookup's queries: each answer is the current file's whole, never last month's or a mix.
void TestCatalogueReplacement::lookupsWhileReplacedAgainAndAgain()
{
    SearchWindowFixture f;
    const QString thisMonth = f.program().file("this.kvl");
    const QString nextMonth = f.program().file("next.kvl");
    QVERIFY(QFile::copy(Module1::DatabasePath, thisMonth));
    writeNextRelease(nextMonth);
    const QString release[] = {thisMonth, nextMonth};
    const QString product[] = {kThisMonth, kNextMonth};
    const auto putInPlace = [&](int which, bool inPlace) {
        if (inPlace)
            return writeFile(Module1::DatabasePath, readFile(release[which]));
        const QString fresh = f.program().file("fresh.kvl");
        QFile::remove(fresh);
        return QFile::copy(release[which], fresh) && renameOver(fresh, Module1::DatabasePath);
    };

    for (int round = 1; round <= 12; ++round) {
        const int current = round % 2;
        f.platform().clear();
        if (round % 3 == 0) {
            // Replaced while the lookup's first answer is being made: the lookup runs again.
            bool replaced = false;
            const auto answered = CatalogueCheck::answer(f.window(), [&](Catalogue& catalogue) {
                HouseLookup::Found found = HouseLookup::FindByReference(catalogue, QStringLiteral("KV-777"));
                if (!replaced)
                    replaced = putInPlace(current, round % 2 == 0);
                return found;
            });
            QVERIFY(replaced);
            QVERIFY(answered);
            QCOMPARE(answered->product.eof(), current == 0);
        } else {
            QVERIFY(putInPlace(current, round % 4 == 0));
        }
        QCOMPARE(houseProduct(f), product[current]);
        f.typeAndEnter("CbxRef", "KV-777");
        QCOMPARE(f.platform().messageTexts(), current == 1 ? QStringList() : QStringList{kNoReference});
        f.platform().clear();
        f.typeAndEnter("comCompanies", "ELETRAMAX");
        QVERIFY(f.platform().messages.isEmpty());
        QCOMPARE(f.entries("comReferences").contains("ELX-T10"), current == 0);
    }
}

QTEST_MAIN(TestCatalogueReplacement)
#include "tst_cataloguereplacement.moc"
