#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include "Jet4CatalogueExport.h"
#include "WindowText.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

// An Access-format catalogue chosen in the configuration dialog works as the SQLite one does.
class TestAccessWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useOwnCacheFolder(); }
    void chosenInTheDialogAndSearched_data();
    void chosenInTheDialogAndSearched();
};

void TestAccessWindow::chosenInTheDialogAndSearched_data()
{
    QTest::addColumn<quint32>("encodingKey");
    QTest::newRow("plain") << quint32(0);
    QTest::newRow("RC4-encoded pages") << quint32(0x5a17c3e1);
}

void TestAccessWindow::chosenInTheDialogAndSearched()
{
    QFETCH(quint32, encodingKey);
    TestProgram program;
    RecordingPlatform platform;
    QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively();
    TestCatalogue::writeStandard(program.file("source.kvl"));
    const QString access = program.file("catalogo-access.kvl");
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(program.file("source.kvl"), access, encodingKey, &error),
             qPrintable(error));
    const auto digest = [&] {
        QFile file(access);
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();

    Module1::DatabasePath = program.file("missing.kvl");
    MDIForm1 main;
    main.show();
    main.MDIForm_Load();
    main.findChild<QAction*>("Configurar")->trigger();
    Form1* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Form1*>(top); found && found->isVisible())
            dialog = found;
    }
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>("Text1")->setText(access);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(platform.messageTexts().last(), QString::fromUtf8("Arquivo de configurações válido"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command4"), Qt::LeftButton);
    QVERIFY(Module1::Opened().DatabaseOpened);

    main.findChild<QAction*>("Pesquisar")->trigger();
    QCOMPARE(CountSearchWindows(), 1);
    auto* search = main.mdiArea()->subWindowList().at(0)->findChild<Form2*>();
    QCOMPARE(search->findChild<ComboBox*>("comReferences")->entries().size(), 11);
    QCOMPARE(search->findChild<ComboBox*>("CbxDesc")->entries().first(),
             QString::fromUtf8("Boia d'água 20 mm"));
    auto* references = search->findChild<ComboBox*>("comReferences");
    references->setFocus();
    typeText(references, "ELX-20");
    QTest::keyClick(references, Qt::Key_Return);
    QCOMPARE(textOf(search, "CbxRef"), QStringLiteral("KV-100"));
    QCOMPARE(textOf(search, "Preco"), QStringLiteral("1.234,50"));
    QCOMPARE(textOf(search, "txtDetalhes"), QStringLiteral("Equivale com adaptador"));
    QVERIFY(search->findChild<QWidget*>("Picture1")->isVisibleTo(search));
    QVERIFY(search->findChild<QWidget*>("FrameDesenho")->isVisibleTo(search));

    // F2 reopens it, from the converted copy.
    QTest::keyClick(references, Qt::Key_F2);
    QVERIFY(Module1::Opened().DatabaseOpened);
    QCOMPARE(references->entries().size(), 11);
    QCOMPARE(digest(), before);
}

QTEST_MAIN(TestAccessWindow)
#include "tst_accesswindow.moc"
