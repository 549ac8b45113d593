#include "RealDisplay.h"
#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestProgram.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/frmSai.h"
#include "ui/platform/Platform.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtEndian>

#include <functional>
#include <memory>

namespace {

// The main window as Main shows it, maximised and activated by the window manager.
struct ShownMainWindow
{
    TestProgram program;
    RecordingPlatform platform;
    MDIForm1 window;

    explicit ShownMainWindow(bool withCatalogue)
    {
        if (withCatalogue && !program.openStandardCatalogue())
            qFatal("the standard test catalogue did not open");
        window.showMaximized();
        if (!RealDisplay::waitForActive(&window))
            qWarning("the window manager did not activate the main window");
    }

    Form2* openSearchWindow()
    {
        window.findChild<QAction*>("Pesquisar")->trigger();
        QMdiSubWindow* frame = window.mdiArea()->activeSubWindow();
        return frame ? frame->findChild<Form2*>() : nullptr;
    }
};

// The named control that has the keyboard focus (a combo box's own text field counts as
// the combo box).
QString focusedControl()
{
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName();
    }
    return QString();
}

// Rows of the picture that hold ink: pixels much darker than the background.
QList<int> inkRows(const QImage& image)
{
    QList<int> rows;
    const int background = qGray(image.pixel(0, 0));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (background - qGray(image.pixel(x, y)) > 96) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

// The picture of the most colours that an icon file of the program holds for this size, read
// by the file's own directory.
QImage deepestPicture(const QString& iconFile, const QSize& size)
{
    QFile file(QStringLiteral(":/pictures/") + iconFile);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray bytes = file.readAll();
    int deepest = -1;
    int deepestBits = 0;
    for (int i = 0; i < qFromLittleEndian<quint16>(bytes.constData() + 4); ++i) {
        const char* entry = bytes.constData() + 6 + 16 * i;
        const QSize entrySize(quint8(entry[0]) ? quint8(entry[0]) : 256,
                              quint8(entry[1]) ? quint8(entry[1]) : 256);
        const int bits = qFromLittleEndian<quint16>(entry + 6);
        if (entrySize == size && bits > deepestBits) {
            deepest = i;
            deepestBits = bits;
        }
    }
    QImageReader reader(file.fileName());
    if (deepest < 0 || !reader.jumpToImage(deepest))
        return QImage();
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Runs `open`, which waits in a modal window of the desktop's own; reads that window's icons
// as the X server holds them, then closes it.
QList<QImage> iconsOfModal(const std::function<void()>& open)
{
    Platform::setBackend(nullptr);
    QList<QImage> icons;
    QTimer look;
    look.setInterval(20);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed())
            return;
        look.stop();
        icons = RealDisplay::windowIcons(dialog);
        dialog->reject();
    });
    look.start();
    open();
    return icons;
}

} // namespace

// What only a real window system shows: titles as the window manager holds them, the
// keyboard focus and Tab key with real window activation, and what is painted on screen.
class TestRealDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void titlesAsTheWindowManagerHoldsThem();
    void searchWindowOpensWithTheKeyboardInCbxRef();
    void tabWalksTheDesignedOrder();
    void groupCaptionIsPaintedOnItsSecondLine();
    void arrangedWindowsKeepTheFocusAndScrollToTheirPanels();
    void loadingWindowStandsPaintedWhenShown();
    void iconsAreTheDeepestPictures_data();
    void iconsAreTheDeepestPictures();
};

void TestRealDisplay::initTestCase()
{
    QVERIFY2(RealDisplay::isRunning(), "runs on a real X server only (tests/support/run-on-display.sh)");
}

void TestRealDisplay::titlesAsTheWindowManagerHoldsThem()
{
    {
        ShownMainWindow main(false);
        QCOMPARE(RealDisplay::windowName(&main.window), QStringLiteral("Korvel : Lumeo"));
        // The configuration dialog, a window of its own.
        QPointer<Form1> dialog = new Form1(&main.window);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(RealDisplay::windowName(dialog), QStringLiteral("Configurar"));
        delete dialog;
    }
    // A maximised search window adds the desktop's own decoration of a maximised child.
    ShownMainWindow main(true);
    QVERIFY(main.openSearchWindow());
    QTRY_COMPARE(RealDisplay::windowName(&main.window), QStringLiteral("Korvel : Lumeo - [Consulta]"));
}

void TestRealDisplay::searchWindowOpensWithTheKeyboardInCbxRef()
{
    ShownMainWindow main(true);
    Form2* search = main.openSearchWindow();
    QVERIFY(search);
    QTRY_VERIFY(QGuiApplication::focusWindow() == main.window.windowHandle());
    QTRY_COMPARE(focusedControl(), QStringLiteral("CbxRef"));
    // What the user types goes there.
    for (const char key : QByteArray("KV-2"))
        QTest::keyClick(main.window.windowHandle(), key);
    QCOMPARE(search->findChild<ComboBox*>("CbxRef")->currentText().left(4), QStringLiteral("KV-2"));
}

void TestRealDisplay::tabWalksTheDesignedOrder()
{
    ShownMainWindow main(true);
    QVERIFY(main.openSearchWindow());
    QTRY_COMPARE(focusedControl(), QStringLiteral("CbxRef"));
    // The photo and the links follow the design's last stop.
    const QStringList order{"CbxRef",       "CbxDesc",        "ClassFiscal", "Grupo",         "StatusVenda",
                            "ICMS",         "Peso",           "Prazo",       "IPI",           "Preco",
                            "Composicao",   "ReferenciaNova", "txtVolume",   "comReferences", "comFamilies",
                            "comCompanies", "Picture1",       "Image2",      "LinkPrograma",  "CbxRef"};
    QStringList reached{focusedControl()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(main.window.windowHandle(), Qt::Key_Tab);
        reached << focusedControl();
    }
    QCOMPARE(reached, order);
    // Tab moved the focus out of the composition box rather than typing into it.
    QVERIFY(!main.window.findChild<QWidget*>("Composicao")->property("plainText").toString().contains('\t'));
}

void TestRealDisplay::groupCaptionIsPaintedOnItsSecondLine()
{
    ShownMainWindow main(true);
    Form2* search = main.openSearchWindow();
    QVERIFY(search);
    auto* caption = search->findChild<QLabel*>("Label12");
    QVERIFY(QTest::qWaitForWindowExposed(&main.window));
    // Read back from the X server what the label's area shows.
    QImage shown;
    QTRY_VERIFY((shown = RealDisplay::grab(caption)).size() == caption->size() && !inkRows(shown).isEmpty());
    const QList<int> rows = inkRows(shown);
    const int lineHeight = QFontMetrics(caption->font()).lineSpacing();
    QVERIFY2(rows.first() >= lineHeight, qPrintable(QStringLiteral("ink from row %1").arg(rows.first())));
    QVERIFY(rows.last() < caption->height());
}

void TestRealDisplay::arrangedWindowsKeepTheFocusAndScrollToTheirPanels()
{
    ShownMainWindow main(true);
    for (int i = 0; i < 5; ++i)
        QVERIFY(main.openSearchWindow());
    // Arranging maximised windows from the "Janela" menu ("Em cascata", "Lado a lado") leaves the
    // keyboard in the box the user was typing in.
    for (const Qt::Key arrange : {Qt::Key_C, Qt::Key_L}) {
        main.window.mdiArea()->activeSubWindow()->showMaximized();
        QTRY_COMPARE(focusedControl(), QStringLiteral("CbxRef"));
        QTest::keyClick(main.window.windowHandle(), Qt::Key_J, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), arrange);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCoreApplication::processEvents();
        QCOMPARE(focusedControl(), QStringLiteral("CbxRef"));
    }
    for (QMdiSubWindow* frame : main.window.mdiArea()->subWindowList()) {
        main.window.mdiArea()->setActiveSubWindow(frame);
        auto* scroller = frame->findChild<QScrollArea*>();
        QTRY_VERIFY(scroller->horizontalScrollBar()->isVisible());
        // The keys reach the Quiro panel's box and the house search's, each scrolled into sight.
        for (const auto& [key, box] :
             {std::pair{Qt::Key_Down, "comReferences"}, std::pair{Qt::Key_Up, "CbxRef"}}) {
            QTest::keyClick(main.window.windowHandle(), key, Qt::ControlModifier);
            QTRY_COMPARE(focusedControl(), QString::fromLatin1(box));
            QVERIFY(!frame->findChild<QWidget*>(box)->visibleRegion().isEmpty());
        }
    }
}

void TestRealDisplay::loadingWindowStandsPaintedWhenShown()
{
    ShownMainWindow main(true);
    frmSai* loading = main.window.loadingWindow();
    loading->showNow();
    // Read back at once, with no event handled since: what showNow left on the screen.
    const QImage shown = RealDisplay::grab(loading->findChild<QLineEdit*>("Text1"));
    int textPixels = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor pixel = shown.pixelColor(x, y);
            textPixels += pixel.blue() > 160 && pixel.red() < 96 && pixel.green() < 96; // the notice's blue
        }
    }
    QVERIFY2(textPixels > 100, qPrintable(QString::number(textPixels)));
    // A notice: the window the user works in keeps the keyboard.
    QVERIFY(main.window.isActiveWindow());
    // No title bar: the frame is as thick above the window as below it.
    QCOMPARE(loading->geometry().top() - loading->frameGeometry().top(),
             loading->frameGeometry().bottom() - loading->geometry().bottom());
    loading->hide();
}

void TestRealDisplay::iconsAreTheDeepestPictures_data()
{
    QTest::addColumn<QString>("iconFile");
    for (const char* window : {"main window", "main window's message box", "search window"})
        QTest::newRow(window) << "program.ico";
    for (const char* window : {"configuration dialog", "file dialog", "configuration dialog's message box"})
        QTest::newRow(window) << "dialog.ico";
}

void TestRealDisplay::iconsAreTheDeepestPictures()
{
    QFETCH(QString, iconFile);
    const QString window = QString::fromLatin1(QTest::currentDataTag());
    ShownMainWindow main(true);
    QList<QImage> icons;
    if (window == "main window") {
        icons = RealDisplay::windowIcons(&main.window);
    } else if (window == "main window's message box") {
        QVERIFY(main.openSearchWindow());
        icons = iconsOfModal([&] { main.window.findChild<QAction*>("Sair")->trigger(); });
    } else if (window == "search window") {
        const std::unique_ptr<Form2> search = openSearchWindow();
        icons = RealDisplay::windowIcons(search.get());
    } else {
        const std::unique_ptr<Form1> dialog(new Form1(&main.window));
        dialog->setAttribute(Qt::WA_DeleteOnClose, false);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const auto click = [&](const char* button) {
            return [&dialog, button] { dialog->findChild<QPushButton*>(button)->click(); };
        };
        if (window == "configuration dialog")
            icons = RealDisplay::windowIcons(dialog.get());
        else if (window == "file dialog")
            icons = iconsOfModal(click("Command1"));
        else
            icons = iconsOfModal(click("Command2")); // "Testar conexão"
    }
    QCOMPARE(icons.size(), 2);
    for (const QImage& icon : icons)
        QCOMPARE(icon, deepestPicture(iconFile, icon.size()));
}

QTEST_MAIN(TestRealDisplay)
#include "tst_realdisplay.moc"
