#include "SearchWindowFixture.h"
#include "ui/search/Form2.h"

#include <QFile>
#include <QTest>

// What a click on the photo, the drawing button, the header picture and the link opens.
class TestViewerLinks : public QObject
{
    Q_OBJECT

private slots:
    void photoClicks_data();
    void photoClicks();
    void drawingButtonWritesOpensAndMinimises();
    void webLinks();
};

void TestViewerLinks::photoClicks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("photo") << "Picture1" << false;
    QTest::newRow("photo, double click") << "Picture1" << true;
    QTest::newRow("frame") << "Frame1" << false;
    QTest::newRow("frame, double click") << "Frame1" << true;
}

void TestViewerLinks::photoClicks()
{
    QFETCH(QString, control);
    QFETCH(bool, doubleClick);
    SearchWindowFixture f;
    const auto click = [&] {
        QWidget* target = f.control(control);
        if (doubleClick)
            QTest::mouseDClick(target, Qt::LeftButton);
        else
            QTest::mouseClick(target, Qt::LeftButton);
    };
    click();  // nothing shown yet: nothing opens
    f.typeAndEnter("CbxRef", "KV-101");  // a product without photo
    click();
    QVERIFY(f.platform().viewerCommands.isEmpty());

    f.typeAndEnter("CbxRef", "KV-100");
    f.platform().clear();
    click();
    const QString path = f.program().file(QString::fromUtf8("ArquivoTemporárioDePrévia.jpg"));
    QVERIFY(!f.platform().viewerCommands.isEmpty());
    const ViewerCommand opened = f.platform().viewerCommands.last();
    QCOMPARE(opened.target, QDir::toNativeSeparators(path));
    QCOMPARE(opened.window, ViewerCommand::Window::MaximisedWithFocus);
    QCOMPARE(opened.commandLine(), "explorer.exe \"" + QDir::toNativeSeparators(path) + "\"");

    // After a search that found nothing the last photo is still what a click opens.
    f.typeAndEnter("CbxRef", "ZZZ");
    f.platform().clear();
    click();
    QVERIFY(!f.platform().viewerCommands.isEmpty());
    QCOMPARE(f.platform().viewerCommands.last().target, QDir::toNativeSeparators(path));
}

void TestViewerLinks::drawingButtonWritesOpensAndMinimises()
{
    SearchWindowFixture f;
    QVERIFY(!f.isShown("FrameDesenho"));
    f.typeAndEnter("CbxRef", "KV-100");
    QVERIFY(f.isShown("FrameDesenho"));
    QTest::mouseClick(f.control("BtnDesenho"), Qt::LeftButton);
    const QString path = f.program().file(QString::fromUtf8("AnexoTemporárioDePrévia.pdf"));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("%PDF-1.4 desenho"));
    QCOMPARE(f.platform().viewerCommands.size(), 1);
    QCOMPARE(f.platform().viewerCommands.at(0),
             (ViewerCommand{QDir::toNativeSeparators(path), true, ViewerCommand::Window::MinimisedWithFocus}));
    QVERIFY(f.window()->isMinimized());
}

void TestViewerLinks::webLinks()
{
    SearchWindowFixture f;
    QTest::mouseClick(f.control("Image2"), Qt::LeftButton);
    QTest::mouseClick(f.control("LinkPrograma"), Qt::LeftButton);
    QCOMPARE(f.platform().viewerCommands.size(), 2);
    QCOMPARE(f.platform().viewerCommands.at(0).commandLine(),
             QStringLiteral("explorer.exe http://www.korvel.com.br/produtos/catalogo/index.cfm"));
    QCOMPARE(f.platform().viewerCommands.at(0).window, ViewerCommand::Window::MinimisedWithFocus);
    QCOMPARE(f.platform().viewerCommands.at(1).commandLine(),
             QStringLiteral("explorer.exe \"http://example.invalid/atualizar\""));
    QCOMPARE(f.platform().viewerCommands.at(1).window, ViewerCommand::Window::MinimisedWithFocus);
}

QTEST_MAIN(TestViewerLinks)
#include "tst_viewerlinks.moc"
