#include "SearchWindowFixture.h"
#include "ui/platform/ViewerCommand.h"
#include "ui/search/Form2.h"

#include <QApplication>
#include <QFocusFrame>
#include <QTest>

// Keys pressed from a control of a search window showing a product with a photo and a drawing:
// where the focus is after them ("[]": framed), what the desktop was given to open.
class TestKeyboardReach : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
};

void TestKeyboardReach::keys_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("opened"); // a file beside the program, or an address
    const QKeyCombination tab(Qt::Key_Tab), enter(Qt::Key_Return), space(Qt::Key_Space),
        alt(Qt::ALT | Qt::Key_Down);
    const QKeyCombination down(Qt::CTRL | Qt::Key_Down), up(Qt::CTRL | Qt::Key_Up);
    const QString photo = QString::fromUtf8("ArquivoTemporárioDePrévia.jpg");
    // clang-format off
    QTest::newRow("Tab after the design's last") << "comCompanies" << QList{tab} << "Picture1[]" << "";
    QTest::newRow("Tab to the drawing") << "Picture1" << QList{tab} << "BtnDesenho[]" << "";
    QTest::newRow("Enter, photo") << "Picture1" << QList{enter} << "Picture1[]" << photo;
    QTest::newRow("Space, drawing") << "BtnDesenho" << QList{space} << "BtnDesenho" << QString::fromUtf8("AnexoTemporárioDePrévia.pdf");
    QTest::newRow("Enter, header") << "Image2" << QList{QKeyCombination(Qt::Key_Enter)} << "Image2[]" << CatalogueWebPage;
    QTest::newRow("Enter, link") << "LinkPrograma" << QList{enter} << "LinkPrograma[]" << "http://example.invalid/atualizar";
    QTest::newRow("Ctrl+Down, CbxRef offering") << "CbxRef" << QList{QKeyCombination(Qt::Key_K), QKeyCombination(Qt::Key_V), down} << "comReferences" << "";
    QTest::newRow("Ctrl+Down, composition") << "Composicao" << QList{down} << "comReferences" << "";
    QTest::newRow("Ctrl+Up, comReferences's list open") << "comReferences" << QList{alt, up} << "CbxRef" << "";
    // clang-format on
}

void TestKeyboardReach::keys()
{
    QFETCH(QString, from);
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QString, to);
    QFETCH(QString, opened);
    SearchWindowFixture f;
    QVERIFY(QTest::qWaitForWindowActive(f.window()));
    f.typeAndEnter("CbxRef", "KV-100");
    f.platform().clear();
    f.control(from)->setFocus(Qt::TabFocusReason);
    for (const QKeyCombination key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QVERIFY(!QApplication::activePopupWidget());
    QWidget* focus = QApplication::focusWidget();
    const auto* frame = f.window()->findChild<QFocusFrame*>();
    QCOMPARE(focus->objectName() + (frame->isVisible() && frame->widget() == focus ? "[]" : ""), to);
    QStringList targets;
    for (const ViewerCommand& command : f.platform().viewerCommands)
        targets << command.target;
    const QString file = QDir::toNativeSeparators(f.program().file(opened));
    QCOMPARE(targets,
             opened.isEmpty() ? QStringList() : QStringList{opened.startsWith("http") ? opened : file});
}

QTEST_MAIN(TestKeyboardReach)
#include "tst_keyboardreach.moc"
