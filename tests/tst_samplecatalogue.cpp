#include "RecordingPlatform.h"
#include "TestProgram.h"
#include "catalogue/Module1.h"
#include "catalogue/OpenCatalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QFile>
#include <QProcess>
#include <QTest>

// The sample catalogue generator's output is a catalogue the program works with.
class TestSampleCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void sameOptionsGiveTheSameFile();
    void opensAndResolves();

private:
    static bool make(const QString& path, const QStringList& options)
    {
        const QString tool = qEnvironmentVariable("LUMEO_MAKECATALOGUE");
        if (tool.isEmpty())
            return false;
        QProcess process;
        process.start(tool, options + QStringList{path});
        return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
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
    QVERIFY(make(program.catalogue(), {"--products", "400", "--relations", "4000"}));
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::RecCount.toInt(), 400);
    QCOMPARE(Module1::HouseRefRows.size(), 400);
    QVERIFY(Module1::RefRows.size() > 2500);
    QVERIFY(Module1::CompRows.size() >= 13);  // twelve competitors and the old house references
    QVERIFY(!Module1::VersionText.trimmed().isEmpty());

    RecordingPlatform platform;
    Form2 window;
    window.show();
    auto* references = window.findChild<ComboBox*>("comReferences");
    QVERIFY(references->entries().contains("EMX-DJ220"));
    references->setFocus();
    references->setEditText("EMX-DJ220");
    QTest::keyClick(references, Qt::Key_Return);
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("KV-2104"));
    QCOMPARE(textOf(&window, "comCompanies"), QStringLiteral("ELETRAMAX"));
    QVERIFY(!window.photoPreviewPath().isEmpty());
    QVERIFY(window.findChild<QWidget*>("FrameDesenho")->isVisibleTo(&window));
}

QTEST_MAIN(TestSampleCatalogue)
#include "tst_samplecatalogue.moc"
