#include "PlainOffers.h"
#include "catalogue/lists/EntryIndex.h"
#include "catalogue/lists/MakeOffers.h"

#include <QRandomGenerator>
#include <QTest>

// The indexes behind the offers and the whole-entry lookups, checked against plain scans of
// their lists.
class TestOfferIndexes : public QObject
{
    Q_OBJECT

private slots:
    void indexesAgreeWithAPlainScan();
    void offersAndLookupsShareOneKey_data();
    void offersAndLookupsShareOneKey();
};

void TestOfferIndexes::indexesAgreeWithAPlainScan()
{
    // References built from pieces that share beginnings, with every separator, case and some
    // letters beyond ASCII, so that many fall in one group and some groups hold one unit only.
    QRandomGenerator random(20261207);
    const QStringList pieces{"a",
                             "A",
                             "ab",
                             "1",
                             "10",
                             "x",
                             QString::fromUtf8("É"),
                             QString::fromUtf8("é"),
                             QString::fromUtf8("ç"),
                             QString::fromUtf8("Ω"),
                             QString::fromUtf8("\U00010400"),
                             QString::fromUtf8("\U00010428"),
                             "-",
                             ".",
                             "/",
                             "_",
                             "'",
                             " "};
    QStringList references;
    for (int i = 0; i < 4000; ++i) {
        QString reference;
        const int length = 1 + int(random.bounded(6));
        for (int p = 0; p < length; ++p)
            reference += pieces.at(random.bounded(int(pieces.size())));
        references.append(reference);
    }
    references.append({"", "-", "/ _"});
    const CachedList list(references, {});
    const CachedList::Entries entries = list.entries(EntryRule::AsStored, true);
    const std::shared_ptr<const Offers> byBeginning = makeOffers(entries, OfferMatch::Beginning);

    QStringList typed{"a",
                      "A-",
                      "ab",
                      "a b",
                      "1",
                      "10-",
                      "x1",
                      QString::fromUtf8("éa"),
                      QString::fromUtf8("Éç"),
                      QString::fromUtf8("ω"),
                      QString::fromUtf8("\U00010428a"),
                      QString::fromUtf8("\U00010400-"),
                      "-",
                      " _",
                      "aaaa",
                      "1 0 1"};
    for (int i = 0; i < 200; ++i)
        typed.append(references.at(random.bounded(int(references.size()))).left(1 + int(random.bounded(4))));
    for (const QString& text : std::as_const(typed)) {
        for (const int most : {1, 12}) {
            const std::vector<qsizetype> expected = PlainOffers::references(*entries, text, most);
            if (byBeginning->find(text, most) != expected)
                QFAIL(qPrintable(
                    QStringLiteral("references differ for \"%1\", at most %2").arg(text).arg(most)));
        }
    }

    const QStringList descriptions{
        "Disjuntor bipolar 20 A", "DISJUNTOR tripolar", "Relé térmico", "RELÉ 20", "Tomada 20 A", "", "  "};
    const CachedList::Entries shown = CachedList(descriptions, {}).entries(EntryRule::Trimmed, true);
    const std::shared_ptr<const Offers> byWords = makeOffers(shown, OfferMatch::Words);
    for (const QString& text :
         QStringList{"20", "20 a", "a 20", QString::fromUtf8("relé"), QString::fromUtf8("RELÉ 2"),
                     QStringLiteral("  disj  tri "), QStringLiteral("zz"), QStringLiteral(" ")}) {
        for (const int most : {1, 12})
            QCOMPARE(byWords->find(text, most), PlainOffers::words(*shown, text, most));
    }
}

// A text that names an entry whole, case, separators and accents aside, is also offered that
// entry, and the other way round: the offers and the lookups' last resort fold every character
// alike, those beyond the first plane too.
void TestOfferIndexes::offersAndLookupsShareOneKey_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("same");
    QTest::newRow("case and separators") << "KV-20/A"
                                         << "kv 20a" << true;
    QTest::newRow("apostrophe as a separator") << "KV-D'AGUA 20"
                                               << "kv dagua 20" << true;
    QTest::newRow("accented capital") << QString::fromUtf8("ÉLITE-1") << QString::fromUtf8("élite1") << true;
    QTest::newRow("accents aside") << QString::fromUtf8("ÉLITE-1") << "elite 1" << true;
    QTest::newRow("another letter") << QString::fromUtf8("ÉLITE-1") << "elote1" << false;
    QTest::newRow("beyond the first plane")
        << QString::fromUtf8("\U00010400-7") << QString::fromUtf8("\U00010428 7") << true;
    QTest::newRow("other letter beyond the first plane")
        << QString::fromUtf8("\U00010400-7") << QString::fromUtf8("\U00010429 7") << false;
}

void TestOfferIndexes::offersAndLookupsShareOneKey()
{
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(bool, same);
    const CachedList::Entries entries =
        CachedList(QStringList{"OTHER-1", entry}, {}).entries(EntryRule::AsStored, false);
    const EntryIndex index(entries, EntryIndex::Key::Everything);
    QCOMPARE(index.equalTexts(typed), same ? QStringList{entry} : QStringList());
    const std::vector<qsizetype> offered = makeOffers(entries, OfferMatch::Beginning)->find(typed, 12);
    QCOMPARE(offered, same ? std::vector<qsizetype>{1} : std::vector<qsizetype>{});
}

QTEST_MAIN(TestOfferIndexes)
#include "tst_offerindexes.moc"
