#include "SearchWindowFixture.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

// Whatever is typed or pasted into a search box and confirmed with Enter ends in the
// handler's own result or its not-found message: never a crash, a hang, a database error
// or a change to the catalogue file.
class TestHostileInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void enterInEveryBox_data();
    void enterInEveryBox();

private:
    static void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message);
    static inline QStringList s_warnings;
    QtMessageHandler m_previousHandler = nullptr;
};

namespace {

const QString kNoReference = QString::fromUtf8("Referência não existe");
const QString kNoDescription = QString::fromUtf8("Nenhum produto encontrado com essa descrição");

struct Hostile
{
    const char* name;
    QString text;
    bool pasted;          // control characters and long texts arrive by pasting
    bool referenceFound;  // a house reference begins with the text (quotes removed)
    bool descriptionFound;  // a description holds the trimmed text
};

QList<Hostile> hostileTexts()
{
    const QString outside = QString::fromUtf8("中文 ∑ \xF0\x9F\x98\x80 Ω");
    QString wildcards;
    for (int i = 0; i < 5000; ++i)
        wildcards += QStringLiteral("%_");
    return {
        {"empty", QString(), false, true, true},
        {"only blanks", QStringLiteral("   "), false, false, true},
        {"single quote", QStringLiteral("'"), false, true, true},
        {"quote inside", QStringLiteral("O'Brien"), false, false, false},
        {"double quote", QStringLiteral("\"KV\""), false, false, false},
        {"quote injection", QStringLiteral("' OR '1'='1"), false, false, false},
        {"statement injection", QStringLiteral("x'; DROP TABLE RELATIONS; --"), false, false, false},
        {"double-quote injection", QStringLiteral("\" OR \"\"=\""), false, false, false},
        {"percent", QStringLiteral("%"), false, true, true},
        {"underscore", QStringLiteral("_"), false, true, true},
        {"bracket", QStringLiteral("[KV]%"), false, false, false},
        {"lone bracket", QStringLiteral("["), false, false, false},
        {"backslashes", QStringLiteral("KV\\%\\_\\"), false, false, false},
        {"SQL keywords", QStringLiteral("SELECT * FROM [Tabela Referencias] WHERE 1=1 UNION SELECT"), false,
         false, false},
        {"control characters", QString::fromUtf8("KV\x01\x02\t\x1b\x7f"), true, false, false},
        {"null character", QStringLiteral("KV") + QChar(0) + QStringLiteral("100"), true, false, false},
        {"line ends", QStringLiteral("KV-100\r\nKV-101"), true, false, false},
        {"outside Windows-1252", outside, true, false, false},
        {"Windows-1252 high signs", QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"), true, false, false},
        {"lone surrogate", QString(QChar(0xD800)) + QStringLiteral("KV"), true, false, false},
        {"10000 characters", QString(10000, QLatin1Char('A')), true, false, false},
        {"10000 quotes", QString(10000, QLatin1Char('\'')), true, true, false},
        {"10000 wildcards", wildcards, true, false, false},
    };
}

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Puts the text into the box as a user would, replacing what was there, and presses Enter.
void enterText(ComboBox* box, const QString& text, bool pasted)
{
    box->setFocus();
    box->lineEdit()->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else if (pasted) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    } else {
        typeText(box, text);
    }
    QCOMPARE(box->currentText(), text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

void TestHostileInput::recordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        s_warnings.append(message);
}

void TestHostileInput::init()
{
    s_warnings.clear();
    m_previousHandler = qInstallMessageHandler(recordWarning);
}

void TestHostileInput::cleanup()
{
    qInstallMessageHandler(m_previousHandler);
}

void TestHostileInput::enterInEveryBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("message");  // empty: a product is shown

    for (const Hostile& hostile : hostileTexts()) {
        const auto row = [&](const char* box, const QString& message) {
            QTest::addRow("%s: %s", box, hostile.name) << box << hostile.text << hostile.pasted << message;
        };
        row("CbxRef", hostile.referenceFound ? QString() : kNoReference);
        row("CbxDesc", hostile.descriptionFound ? QString() : kNoDescription);
        // No hostile text names a competitor reference, a family or a manufacturer.
        row("comReferences", kNoReference);
        row("comFamilies", QString::fromUtf8("Familia não existe"));
        row("comCompanies", QString::fromUtf8("Fabricante não existe"));
    }
}

void TestHostileInput::enterInEveryBox()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(bool, pasted);
    QFETCH(QString, message);
    SearchWindowFixture f;
    const QString catalogue = f.program().catalogue();
    const QByteArray before = digestOf(catalogue);
    const QStringList crossLists[] = {f.entries("comReferences"), f.entries("comFamilies"),
                                      f.entries("comCompanies")};

    enterText(f.combo(box), text, pasted);

    QCOMPARE(f.platform().messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(f.platform().messages.at(0).title, QStringLiteral("Aviso"));
        // A not-found leaves the cross-reference lists as they were.
        QCOMPARE(f.entries("comReferences"), crossLists[0]);
        QCOMPARE(f.entries("comFamilies"), crossLists[1]);
        QCOMPARE(f.entries("comCompanies"), crossLists[2]);
    } else {
        QVERIFY(!f.text("CbxRef").isEmpty());
        QVERIFY(!f.text("CbxDesc").isEmpty());
    }
    if (box.startsWith(QLatin1String("Cbx")))
        QCOMPARE(f.window()->contador(), 0);
    else if (box != QLatin1String("comFamilies"))
        QCOMPARE(f.window()->contador(), 1);
    QVERIFY2(s_warnings.isEmpty(), qPrintable(s_warnings.join(QLatin1Char('\n'))));

    // The window keeps working, and the catalogue is untouched.
    f.platform().clear();
    f.typeAndEnter("CbxRef", "KV-101");
    QCOMPARE(f.text("CbxDesc"), QStringLiteral("Disjuntor tripolar 32 A"));
    QVERIFY(f.platform().messages.isEmpty());
    QCOMPARE(digestOf(catalogue), before);
    QCOMPARE(QDir(f.program().directory()).entryList({"lumeo.kvl*"}, QDir::Files), QStringList{"lumeo.kvl"});
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
