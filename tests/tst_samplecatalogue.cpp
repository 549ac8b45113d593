#include "RecordingPlatform.h"
#include "TestProgram.h"
#include "WindowText.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QFile>
#include <QProcess>
#include <QTest>

// The sample catalogue generator's output is a catalogue the program works with.
namespace {

// Types a text into a box of the window and presses Enter, as a user does.
void enter(Form2& window, const char* boxName, const QString& typed)
{
    auto* box = window.findChild<ComboBox*>(boxName);
    box->setFocus();
    box->setEditText(typed);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class TestSampleCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void sameOptionsGiveTheSameFile();
    void opensAndResolves();
    void findsDescriptionsInEitherCase();
    void findsWhatIsReadOutOverThePhone();

private:
    static bool make(const QString& path, const QStringList& options)
    {
        const QString tool = qEnvironmentVariable("LUMEO_MAKECATALOGUE");
        if (tool.isEmpty())
            return false;
        QProcess process;
        process.start(tool, options + QStringList{path});
        return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    // Makes a sample catalogue in the program's place and opens it as the program does.
    static bool openSample(const TestProgram& program, const QStringList& options)
    {
        Module1::DatabasePath = program.catalogue();
        return make(program.catalogue(), options) && OpenCatalogue();
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestSampleCatalogue::sameOptionsGiveTheSameFile()
{
    TestProgram program;
    const QStringList options{"--products", "300", "--relations", "3000", "--seed", "7"};
    QVERIFY(make(program.file("a.kvl"), options));
    QVERIFY(make(program.file("b.kvl"), options));
    QVERIFY(make(program.file("c.kvl"), {"--products", "300", "--relations", "3000", "--seed", "8"}));
    const QByteArray first = bytesOf(program.file("a.kvl"));
    QVERIFY(first.size() > 100000);
    QCOMPARE(bytesOf(program.file("b.kvl")), first);
    QVERIFY(bytesOf(program.file("c.kvl")) != first);
}

void TestSampleCatalogue::opensAndResolves()
{
    TestProgram program;
    QVERIFY(openSample(program, {"--products", "400", "--relations", "4000"}));
    QCOMPARE(Module1::Opened().RecCount.toInt(), 400);
    QCOMPARE(Module1::Opened().HouseRefRows.size(), 400);
    QVERIFY(Module1::Opened().RefRows.size() > 2500);
    QVERIFY(Module1::Opened().CompRows.size() >= 13); // twelve competitors and the old house references
    QVERIFY(!Module1::Opened().VersionText.trimmed().isEmpty());

    RecordingPlatform platform;
    Form2 window;
    window.show();
    QVERIFY(window.findChild<ComboBox*>("comReferences")->entries().contains("EMX-DJ220"));
    enter(window, "comReferences", QStringLiteral("EMX-DJ220"));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("KV-2104"));
    QCOMPARE(textOf(&window, "comCompanies"), QStringLiteral("ELETRAMAX"));
    QVERIFY(!window.photoPreviewPath().isEmpty());
    QVERIFY(window.findChild<QWidget*>("FrameDesenho")->isVisibleTo(&window));
}

// What a user of the sample catalogue tries first: a description typed in capitals with accents
// finds the product stored in lower case, and the capitalised product is found in lower case.
void TestSampleCatalogue::findsDescriptionsInEitherCase()
{
    TestProgram program;
    QVERIFY(openSample(program, {"--products", "300", "--relations", "3000"}));
    RecordingPlatform platform;
    Form2 window;
    window.show();
    const auto search = [&](const QString& typed) {
        enter(window, "CbxDesc", typed);
        return textOf(&window, "CbxRef");
    };

    QCOMPARE(search(QString::fromUtf8("RELÉ DE PROTEÇÃO")), QStringLiteral("KV-4702"));
    QCOMPARE(textOf(&window, "CbxDesc"), QString::fromUtf8("Relé de proteção"));
    QCOMPARE(search(QString::fromUtf8("relé fotoelétrico com base")),
             QString::fromUtf8("KV-8390 Fotocélula"));
    QCOMPARE(textOf(&window, "CbxDesc"), QString::fromUtf8("RELÉ FOTOELÉTRICO COM BASE 1000 W BIVOLT"));
    QVERIFY(platform.messages.isEmpty());
}

// A manufacturer or a reference as a customer reads it out: lower case, blanks for separators.
void TestSampleCatalogue::findsWhatIsReadOutOverThePhone()
{
    TestProgram program;
    QVERIFY(openSample(program, {"--products", "400", "--relations", "4000"}));
    RecordingPlatform platform;
    Form2 window;
    window.show();

    enter(window, "comCompanies", QStringLiteral("Condumax"));
    const QStringList listed = window.findChild<ComboBox*>("comReferences")->entries();
    QVERIFY(listed.contains(QStringLiteral("CDX-NIVEL 25")));
    enter(window, "comCompanies", QStringLiteral("condumax"));
    QCOMPARE(window.findChild<ComboBox*>("comReferences")->entries(), listed);
    for (const QString& typed : {QStringLiteral("emx-dj220"), QStringLiteral("emx dj220")}) {
        enter(window, "comReferences", typed);
        QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("KV-2104"));
    }
    enter(window, "CbxRef", QStringLiteral("kv 2104"));
    QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("KV-2104"));
    QVERIFY(platform.messages.isEmpty());
}

QTEST_MAIN(TestSampleCatalogue)
#include "tst_samplecatalogue.moc"
