#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "WindowText.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/search/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// The product panel: formatted values, the photo, the drawing button and the showcase.
class TestProductPanel : public QObject
{
    Q_OBJECT

private slots:
    void formsOfTheValues_data();
    void formsOfTheValues();
    void photoIsScaledIntoItsBox_data();
    void photoIsScaledIntoItsBox();
    void aPhotoThatIsNoPictureStopsThePanel();
    void editsOfTheTwoEditableBoxesAreUndone();
    void showcaseTicksPerWindow();
};

namespace {

// A catalogue of one priced product, P-1, with this photo, opened and looked up in `window`.
bool lookUpTheOnlyProduct(TestProgram& program, Form2& window, const QByteArray& photo)
{
    {
        TestCatalogue catalogue(program.catalogue());
        TestCatalogue::Product product;
        product.numero = 1;
        product.referencia = "P-1";
        product.descricao = "Produto";
        product.preco = 5.0;
        catalogue.addProduct(product);
        catalogue.addPhoto(1, photo);
        catalogue.addRelation("R", "C", "F", 1);
    }
    Module1::DatabasePath = program.catalogue();
    if (!OpenCatalogue())
        return false;
    window.show();
    auto* reference = window.findChild<QWidget*>("CbxRef");
    reference->setFocus();
    typeText(reference, "P-1");
    QTest::keyClick(reference, Qt::Key_Return);
    return true;
}

} // namespace

void TestProductPanel::formsOfTheValues_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QStringList>("boxes"); // name=value
    QTest::addColumn<bool>("drawing");
    QTest::newRow("money, weight and plain forms")
        << "KV-100"
        << QStringList{"Preco=1.234,50",
                       "Peso=0,250",
                       "IPI=5",
                       "ICMS=7,5",
                       "Prazo=5",
                       "ClassFiscal=8536.20.00",
                       "txtVolume=90x50x70",
                       "StatusVenda=Normal",
                       "Grupo=G1",
                       "ReferenciaNova=KV-100N",
                       QString::fromUtf8("Composicao=Caixa termoplástica"),
                       "CbxDesc=Disjuntor bipolar 20 A"}
        << true;
    QTest::newRow("price 0 is to be asked, weight 2")
        << "KV-101" << QStringList{"Preco=CONSULTAR", "Peso=2,000", "IPI=", "ReferenciaNova="} << false;
    QTest::newRow("nulls are empty boxes")
        << "KV-200" << QStringList{"Preco=", "Peso=", "Prazo=", "Composicao="} << false;
    QTest::newRow("description trimmed")
        << "KV-1000" << QStringList{"CbxDesc=Disjuntor bipolar 20 A especial", "Preco=10,00"} << false;
    QTest::newRow("nothing found empties the panel")
        << "ZZZ" << QStringList{"Preco=", "Peso=", "ReferenciaNova=", "Composicao=", "CbxDesc="} << false;
}

void TestProductPanel::formsOfTheValues()
{
    QFETCH(QString, reference);
    QFETCH(QStringList, boxes);
    QFETCH(bool, drawing);
    SearchWindowFixture f;
    f.typeAndEnter("CbxRef", "KV-100"); // a product first, so that emptying shows
    f.typeAndEnter("CbxRef", reference);
    for (const QString& box : boxes) {
        const QString name = box.section('=', 0, 0);
        QCOMPARE(f.text(name), box.section('=', 1));
    }
    QCOMPARE(f.isShown("FrameDesenho"), drawing);
    // Without a competitor reference the cross-reference description stays empty.
    QCOMPARE(f.text("CbxDesc1"), QString());
}

void TestProductPanel::photoIsScaledIntoItsBox_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("landscape is bounded by width") << QSize(300, 200) << QSize(201, 134) << QByteArray("PNG");
    QTest::newRow("portrait is bounded by height") << QSize(200, 300) << QSize(119, 179) << QByteArray("JPG");
    QTest::newRow("square goes to the height") << QSize(400, 400) << QSize(179, 179) << QByteArray("PNG");
    QTest::newRow("small keeps its size") << QSize(120, 90) << QSize(120, 90) << QByteArray("JPG");
    QTest::newRow("exactly the box") << QSize(201, 179) << QSize(201, 179) << QByteArray("PNG");
}

void TestProductPanel::photoIsScaledIntoItsBox()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, shown);
    QFETCH(QByteArray, format);
    TestProgram program;
    RecordingPlatform platform;
    Form2 window;
    auto* photo = window.findChild<QLabel*>("Picture1");
    const QPoint place = photo->pos();
    QVERIFY(lookUpTheOnlyProduct(
        program, window,
        TestCatalogue::storedFile(format.toLower(), TestCatalogue::picture(picture.width(), picture.height(),
                                                                           format.constData()))));

    QCOMPARE(photo->size(), shown);
    QCOMPARE(photo->pos(), place);
    QVERIFY(photo->isVisibleTo(&window));
    QVERIFY(photo->hasScaledContents());
    QCOMPARE(photo->pixmap().size(), picture);
    QCOMPARE(window.photoPreviewPath(),
             QDir::toNativeSeparators(
                 program.file(QString::fromUtf8("ArquivoTemporárioDePrévia.") + format.toLower())));
}

void TestProductPanel::aPhotoThatIsNoPictureStopsThePanel()
{
    TestProgram program;
    RecordingPlatform platform;
    Form2 window;
    QVERIFY(lookUpTheOnlyProduct(program, window, TestCatalogue::storedFile("jpg", "this is no picture")));
    QVERIFY(!window.findChild<QLabel*>("Picture1")->isVisibleTo(&window));
    QCOMPARE(textOf(&window, "Preco"), QString());
    QCOMPARE(textOf(&window, "CbxRef"), QStringLiteral("P-1")); // as typed
    QVERIFY(window.photoPreviewPath().endsWith(QString::fromUtf8("ArquivoTemporárioDePrévia.jpg")));
    QVERIFY(platform.messages.isEmpty());
}

void TestProductPanel::editsOfTheTwoEditableBoxesAreUndone()
{
    SearchWindowFixture f;
    f.typeAndEnter("CbxRef", "KV-100");
    auto* newReference = f.window()->findChild<QLineEdit*>("ReferenciaNova");
    auto* composition = f.window()->findChild<QTextEdit*>("Composicao");
    QVERIFY(!newReference->isReadOnly() && !composition->isReadOnly());
    newReference->setFocus();
    newReference->end(false);
    typeText(newReference, "XYZ");
    QTest::keyClick(newReference, Qt::Key_Backspace);
    QCOMPARE(newReference->text(), QStringLiteral("KV-100N"));
    composition->setFocus();
    typeText(composition, "abc\n");
    composition->setPlainText("replaced");
    QCOMPARE(composition->toPlainText(), QString::fromUtf8("Caixa termoplástica"));
    // Selecting still works, so the text can be copied.
    newReference->selectAll();
    QCOMPARE(newReference->selectedText(), QStringLiteral("KV-100N"));
}

void TestProductPanel::showcaseTicksPerWindow()
{
    SearchWindowFixture f;
    const QStringList pictures{"Imagee1", "Imagee2", "Imagee3", "Image4",
                               "Image5",  "Image6",  "Image7",  "Image8"};
    const auto shown = [&](Form2* window) {
        QStringList visible;
        for (const QString& name : pictures) {
            if (window->findChild<QWidget*>(name)->isVisibleTo(window))
                visible.append(name);
        }
        return visible;
    };
    QCOMPARE(shown(f.window()), QStringList());
    QMap<int, QStringList> expected{{1, {"Imagee1"}},
                                    {5, {"Imagee1"}},
                                    {6, {"Imagee1", "Imagee2"}},
                                    {16, {"Imagee1", "Imagee2", "Imagee3", "Image4"}},
                                    {21, {"Image5"}},
                                    {36, {"Image5", "Image6", "Image7", "Image8"}},
                                    {40, {"Image5", "Image6", "Image7", "Image8"}}};
    for (int tick = 1; tick <= 40; ++tick) {
        f.window()->tmrPaoComMortadela_Timer();
        if (expected.contains(tick))
            QCOMPARE(shown(f.window()), expected.value(tick));
    }
    QCOMPARE(f.window()->bannerStep(), 0);
    auto second = f.openAnother();
    second->tmrPaoComMortadela_Timer();
    QCOMPARE(second->bannerStep(), 1);
    QCOMPARE(f.window()->bannerStep(), 0);
    QCOMPARE(second->findChild<QTimer*>("tmrPaoComMortadela")->interval(), 1000);
}

QTEST_MAIN(TestProductPanel)
#include "tst_productpanel.moc"
