#include "catalogue/lists/CachedList.h"
#include "catalogue/lists/WorkPool.h"

#include <QRandomGenerator>
#include <QTest>

// A list as it is read, row by row, is the list made whole, with the same entries; entries given
// up when their work is cancelled are made whole when next asked for.
class TestListEntries : public QObject
{
    Q_OBJECT

private slots:
    void readGivesTheWholeList_data();
    void readGivesTheWholeList();
    void cancelledEntriesAreMadeWhenNextAsked();
    void damagedTextReadsAsQtDecodesIt();
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

void TestListEntries::readGivesTheWholeList_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<EntryRule>("rule");
    QTest::addColumn<bool>("sorted");
    for (const int rows : {0, 1, 8193, 19999, 20000, 50001}) {
        QTest::addRow("%d rows, trimmed and scrambled, sorted", rows)
            << rows << EntryRule::TrimmedAndScrambled << true;
        QTest::addRow("%d rows, trimmed", rows) << rows << EntryRule::Trimmed << false;
    }
    QTest::addRow("as stored, sorted") << 20000 << EntryRule::AsStored << true;
}

void TestListEntries::readGivesTheWholeList()
{
    QFETCH(int, rows);
    QFETCH(EntryRule, rule);
    QFETCH(bool, sorted);
    QRandomGenerator random(quint32(rows) + 7);
    QStringList values;
    std::vector<bool> nulls;
    CachedList::Builder builder;
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
    QCOMPARE(read.entryCount(rule), read.entries(rule, sorted)->size());
}

void TestListEntries::cancelledEntriesAreMadeWhenNextAsked()
{
    QStringList values;
    for (int i = 0; i < 30000; ++i)
        values.append(QStringLiteral("KV-%1").arg(30000 - i));
    const CachedList list(values, {});
    WorkPool pool;
    pool.cancelAndWait();
    QVERIFY(!list.entries(EntryRule::AsStored, true, pool.cancelFlag()));
    QVERIFY(!list.entriesUnderWay(EntryRule::AsStored, true));
    const CachedList::Entries made = list.entries(EntryRule::AsStored, true);
    QCOMPARE(made->size(), 30000);
    QCOMPARE(made->at(0), QStringLiteral("KV-1"));
    QVERIFY(list.entriesUnderWay(EntryRule::AsStored, true));
}

void TestListEntries::damagedTextReadsAsQtDecodesIt()
{
    // Bytes that start no character, cut characters, overlong and surrogate forms, beside the
    // one- and two-byte characters read on the fast path and plain ASCII of over eight bytes.
    const QList<QByteArray> texts{"KV-8207-ABCDEFGH", "\xC3\xA1lcool",   "\xC3",     "a\xC3",
                                  "\xC0\xAF",         "\xED\xA0\x80",    "\xE2\x82", "\xFF\xFEx",
                                  "abcdefgh\x80",     "\xF0\x9F\x94\x8C"};
    CachedList::Builder builder;
    for (const QByteArray& text : texts)
        builder.appendUtf8(text.constData(), text.size());
    const CachedList read = builder.finish();
    QCOMPARE(read.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(read.at(i), QString::fromUtf8(texts.at(i)));
}

QTEST_GUILESS_MAIN(TestListEntries)
#include "tst_listentries.moc"
