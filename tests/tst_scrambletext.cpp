#include "base/ScrambleText.h"
#include "base/Windows1252.h"

#include <QTest>

class TestScrambleText : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void isItsOwnInverseOnCatalogueText();
    void endsAndKeepsLengthOnAnyText();
};

void TestScrambleText::workedExamples_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scrambled");
    // Q 0x51 ^ 0xF1 = 0xA0; V 0x56 ^ 0xB6 = 0xE0.
    QTest::newRow("house brand QV") << "QV" << QString::fromUtf8("\u00A0à");
    QTest::newRow("house brand VESTRAL") << "VESTRAL" << QString::fromUtf8("§ó¢â£÷½");
    QTest::newRow("empty") << "" << "";
    // One character uses only the key's first character: A 0x41 ^ 0xF1 = 0xB0.
    QTest::newRow("one character") << "A" << QString::fromUtf8("°");
    // q ^ 0xF1 = 0x80 is reserved, so the high bit alone is flipped: 0xF1.
    QTest::newRow("reserved result falls back") << "q" << QString::fromUtf8("ñ");
    QTest::newRow("and back") << QString::fromUtf8("ñ") << "q";
    // A quote typed by the user becomes another character: ' 0x27 ^ 0xF1 = 0xD6.
    QTest::newRow("quote") << "'" << QString::fromUtf8("Ö");
    QTest::newRow("outside Windows-1252 kept") << QString::fromUtf8("Ω") << QString::fromUtf8("Ω");
}

void TestScrambleText::workedExamples()
{
    QFETCH(QString, text);
    QFETCH(QString, scrambled);
    QCOMPARE(ScrambleText(text), scrambled);
}

void TestScrambleText::isItsOwnInverseOnCatalogueText()
{
    // Every Windows-1252 character outside the reserved codes, at odd and even positions.
    for (int code = 0; code < 256; ++code) {
        if (code <= 30 || (code >= 128 && code <= 158))
            continue;
        const QChar c = Windows1252::character(static_cast<unsigned char>(code));
        for (const QString& text : {QString(c), QStringLiteral("x") + c, QString(4, c)}) {
            const QString once = ScrambleText(text);
            QCOMPARE(once.size(), text.size());
            for (const QChar out : once) {
                const int outCode = Windows1252::code(out);
                QVERIFY2(outCode > 30 && !(outCode >= 128 && outCode <= 158), qPrintable(text));
            }
            QCOMPARE(ScrambleText(once), text);
        }
    }
    const QString catalogueText = QString::fromUtf8("Disjuntor termomagnético 2P+T 10 A – ok");
    const QString plain = QString::fromUtf8("Relé de proteção, ação rápida! (ÇÃÕ) ~ ^ ´ ` ¨");
    QCOMPARE(ScrambleText(ScrambleText(plain)), plain);
    QCOMPARE(ScrambleText(catalogueText).size(), catalogueText.size());
}

void TestScrambleText::endsAndKeepsLengthOnAnyText()
{
    QString everything;
    for (int u = 0; u < 0x3000; u += 7)
        everything.append(QChar(char16_t(u)));
    for (int code = 0; code < 256; ++code)
        everything.append(Windows1252::character(static_cast<unsigned char>(code)));
    QCOMPARE(ScrambleText(everything).size(), everything.size());
    QCOMPARE(ScrambleText(QString(10000, QLatin1Char('a'))).size(), 10000);
}

QTEST_APPLESS_MAIN(TestScrambleText)
#include "tst_scrambletext.moc"
