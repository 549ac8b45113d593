#include "catalogue/CachedList.h"

#include <QRandomGenerator>
#include <QTest>

// A long list read a part at a time has its entries made and sorted part by part while it is
// read, then merged; the list and its entries must be those of the list made whole.
class TestListParts : public QObject
{
    Q_OBJECT

private slots:
    void partsGiveTheWholeList_data();
    void partsGiveTheWholeList();
};

namespace {

// Texts that tie under the alphabetical rule and differ only in case, accents or blanks, with
// repeats, nulls and characters beyond Latin-1, so that ties fall across the parts' ends.
QString sampleText(QRandomGenerator& random)
{
    static const QStringList stems{"kv-8207", "KV-8207",     "Kv-8207 ", "  álcool", "Alcool", "ALCOOL",
                                   "Ωmega",   "b\U0001F50C", "bucha",    "Bucha-10", "",       " "};
    return stems.at(random.bounded(stems.size())) + QString::number(random.bounded(40));
}

} // namespace

void TestListParts::partsGiveTheWholeList_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<EntryRule>("rule");
    QTest::addColumn<bool>("sorted");
    for (const int rows : {0, 1, 8191, 8192, 8193, 3 * 8192 + 5, 50000}) {
        QTest::addRow("%d rows, trimmed and scrambled, sorted", rows)
            << rows << EntryRule::TrimmedAndScrambled << true;
        QTest::addRow("%d rows, trimmed", rows) << rows << EntryRule::Trimmed << false;
    }
    QTest::addRow("as stored, sorted") << 20000 << EntryRule::AsStored << true;
}

void TestListParts::partsGiveTheWholeList()
{
    QFETCH(int, rows);
    QFETCH(EntryRule, rule);
    QFETCH(bool, sorted);
    QRandomGenerator random(quint32(rows) + 7);
    QStringList values;
    std::vector<bool> nulls;
    CachedList::Builder builder(rule, sorted);
    for (int i = 0; i < rows; ++i) {
        const bool null = random.bounded(50) == 0;
        values.append(null ? QString() : sampleText(random));
        nulls.push_back(null);
        if (null)
            builder.appendNull();
        else if (i % 2 == 0)
            builder.append(values.last());
        else
            builder.appendUtf8(values.last().toUtf8().constData(), values.last().toUtf8().size());
    }
    const CachedList read = builder.finish();
    const CachedList whole(values, nulls);
    QVERIFY(read.hasSameValues(whole));
    QCOMPARE(read.entries(rule, sorted)->toStringList(), whole.entries(rule, sorted)->toStringList());
}

QTEST_GUILESS_MAIN(TestListParts)
#include "tst_listparts.moc"
