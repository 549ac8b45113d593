#include "SearchWindowFixture.h"
#include "ui/search/ComboBox.h"

#include <QSignalSpy>
#include <QTest>

// Up and Down in the reference boxes step from what the box shows, however it came there, to the
// next or previous entry of its list, one lookup a step; nothing moves past the list's ends.
class TestArrowSteps : public QObject
{
    Q_OBJECT

private slots:
    void stepFromWhatIsShown_data();
    void stepFromWhatIsShown();
};

void TestArrowSteps::stepFromWhatIsShown_data()
{
    // How the text came into its box: "box:text" typed and Enter pressed, "box<text" typed only,
    // "box*text" chosen from the list. Keys: "v" Down, "^" Up. After each key, the box's text and
    // what it showed: the product's description, or the competitor's house equivalent.
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("lookups");
    const char* const rows[][6] = {
        {"reference entered", "CbxRef:KV-101", "CbxRef", "v^^",
         "KV-200>Tomada 2P+T 10 A|KV-101>Disjuntor tripolar 32 A|KV-1000>Disjuntor bipolar 20 A especial",
         "3"},
        {"beginning entered", "CbxRef:kv-10", "CbxRef", "v", "KV-1000>Disjuntor bipolar 20 A especial", "1"},
        {"handed over", "comReferences:ELX-32", "CbxRef", "^", "KV-1000>Disjuntor bipolar 20 A especial",
         "1"},
        {"found by its description", "CbxDesc:tripolar", "CbxRef", "v", "KV-200>Tomada 2P+T 10 A", "1"},
        {"typed, no entry", "CbxRef<KV-15", "CbxRef", "^", "KV-101>Disjuntor tripolar 32 A", "1"},
        {"typed past the end", "CbxRef<ZZ", "CbxRef", "v^", "ZZ>|KV-D'AGUA>Boia d'água 20 mm", "1"},
        {"last entry", "CbxRef:KV-D'AGUA", "CbxRef", "v", "KV-D'AGUA>Boia d'água 20 mm", "0"},
        {"competitor entered", "comReferences:elx 20", "comReferences", "v^^",
         "ELX-32>KV-101|ELX-20>KV-100|DUP-1>KV-200", "3"},
        {"competitor among equal entries", "comReferences*DUP-1", "comReferences", "vv",
         "DUP-1>KV-200|ELX-20>KV-100", "2"},
        {"last competitor", "comReferences:VTX-T20", "comReferences", "v", "VTX-T20>KV-200", "0"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << row[2] << row[3] << QString::fromUtf8(row[4])
                              << atoi(row[5]);
    }
}

void TestArrowSteps::stepFromWhatIsShown()
{
    QFETCH(QString, shown);
    QFETCH(QString, box);
    QFETCH(QString, keys);
    QFETCH(QString, steps);
    QFETCH(int, lookups);
    SearchWindowFixture f;
    const qsizetype at = shown.indexOf(QRegularExpression(QStringLiteral("[:<*]")));
    const QString into = shown.left(at);
    if (shown.at(at) == ':')
        f.typeAndEnter(into, shown.mid(at + 1));
    else if (shown.at(at) == '*')
        f.choose(into, shown.mid(at + 1));
    else
        typeText(f.combo(into), shown.mid(at + 1));

    ComboBox* stepped = f.combo(box);
    stepped->setFocus();
    QSignalSpy clicks(stepped, &ComboBox::Click);
    QStringList seen;
    for (const QChar key : keys) {
        QTest::keyClick(stepped, key == 'v' ? Qt::Key_Down : Qt::Key_Up);
        seen.append(f.text(box) + '>' + f.text(box == "CbxRef" ? "CbxDesc" : "CbxRef"));
    }
    QCOMPARE(seen.join('|'), steps);
    QCOMPARE(clicks.count(), lookups);
    QVERIFY(f.platform().messages.isEmpty());
}

QTEST_MAIN(TestArrowSteps)
#include "tst_arrowsteps.moc"
