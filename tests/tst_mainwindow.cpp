#include "RecordingPlatform.h"
#include "SearchWindowFixture.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/config/Form1.h"
#include "ui/main/CountSearchWindows.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/frmSai.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

// The main window shown over the standard test catalogue, the desktop answered by a recorder.
struct MainOverStandardCatalogue
{
    TestProgram program;
    RecordingPlatform platform;
    MDIForm1 window;

    MainOverStandardCatalogue()
    {
        if (!program.openStandardCatalogue())
            qFatal("the standard test catalogue did not open");
        window.show();
    }
};

} // namespace

// The main window's commands and the bookkeeping of search windows.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensTheFirstSearchWindowAtLoad();
    void databaseNotOpenedGivesTheMessageInstead();
    void listFailingWhileTheWindowIsBuiltGivesTheMessage();
    void countsSearchWindowsByTag();
    void leavingAsksOnlyWithSearchWindows_data();
    void leavingAsksOnlyWithSearchWindows();
    void closingTheFrameEndsWithoutAsking();
    void configurationWaitsForTheSearchWindowsToClose();
    void menuCommandsAndAccessKeys();
    void restoredSearchWindowsTakeTheirDesignSize();
    void keysCloseAndStepThroughSearchWindows_data();
    void keysCloseAndStepThroughSearchWindows();
    void windowMenuArranges_data();
    void windowMenuArranges();
    void windowMenuListsAndActivates();

private:
    static void trigger(MDIForm1& window, const char* action)
    {
        window.findChild<QAction*>(action)->trigger();
    }
};

void TestMainWindow::opensTheFirstSearchWindowAtLoad()
{
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvel : Lumeo"));
    window.MDIForm_Load();
    QCOMPARE(CountSearchWindows(), 1);
    QVERIFY(platform.messages.isEmpty());
    QMdiSubWindow* first = window.mdiArea()->subWindowList().value(0);
    QVERIFY(first && first->isMaximized());
    QCOMPARE(first->widget()->windowTitle(), QStringLiteral("Consulta"));
    // The loading window was shown around the opening and is hidden again.
    QVERIFY(window.loadingWindow()->isHidden());
}

void TestMainWindow::databaseNotOpenedGivesTheMessageInstead()
{
    TestProgram program;
    RecordingPlatform platform;
    Module1::DatabasePath = program.file("missing.kvl");
    MDIForm1 window;
    window.show();
    window.MDIForm_Load();
    QCOMPARE(CountSearchWindows(), 0);
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
    QCOMPARE(platform.messages.at(0).title, QString());
    QCOMPARE(platform.messages.at(0).details,
             QString::fromUtf8("Arquivo: %1\nO arquivo não foi encontrado.").arg(Module1::DatabasePath));
    trigger(window, "Pesquisar");
    QCOMPARE(platform.messages.size(), 2);
    QCOMPARE(CountSearchWindows(), 0);
    trigger(window, "Sair"); // no search window: no question
    QCOMPARE(platform.messages.size(), 2);
    QCOMPARE(platform.programEnds, 1);
}

// The first search window is built while the longest list is read; when that list then fails,
// the window goes and the message shows, as for any failed opening.
void TestMainWindow::listFailingWhileTheWindowIsBuiltGivesTheMessage()
{
    TestProgram program;
    RecordingPlatform platform;
    Module1::DatabasePath = program.file("no-cross-references.kvl");
    {
        TestCatalogue catalogue(Module1::DatabasePath);
        catalogue.addProduct(1, QStringLiteral("KV-1"), QStringLiteral("Disjuntor"));
        catalogue.exec(QStringLiteral("DROP TABLE RELATIONS"));
    }
    MDIForm1 window;
    window.show();
    window.MDIForm_Load();
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Erro ao abrir os dados, verifique sua configuração")});
    QCOMPARE(CountSearchWindows(), 0);
    const QWidgetList widgets = QApplication::allWidgets();
    QVERIFY(std::none_of(widgets.begin(), widgets.end(), [](QWidget* w) { return qobject_cast<Form2*>(w); }));
}

void TestMainWindow::countsSearchWindowsByTag()
{
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    trigger(window, "Pesquisar");
    trigger(window, "Pesquisar");
    QCOMPARE(CountSearchWindows(), 2);
    // The loading window and the main window do not count; another tag does not either.
    window.loadingWindow()->setProperty("Tag", "busca");
    QCOMPARE(CountSearchWindows(), 2);
    window.mdiArea()->subWindowList().at(0)->close();
    QCOMPARE(CountSearchWindows(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(CountSearchWindows(), 1);
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
}

void TestMainWindow::leavingAsksOnlyWithSearchWindows_data()
{
    QTest::addColumn<int>("searchWindows");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("ends");
    QTest::newRow("no search window") << 0 << true << 0 << 1;
    QTest::newRow("answered No") << 1 << false << 1 << 0;
    QTest::newRow("answered Yes") << 2 << true << 1 << 1;
}

void TestMainWindow::leavingAsksOnlyWithSearchWindows()
{
    QFETCH(int, searchWindows);
    QFETCH(bool, answerYes);
    QFETCH(int, questions);
    QFETCH(int, ends);
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    for (int i = 0; i < searchWindows; ++i)
        trigger(window, "Pesquisar");
    platform.setNextAnswer(answerYes ? PlatformBackend::Answer::Yes : PlatformBackend::Answer::No);
    trigger(window, "Sair");
    QCOMPARE(platform.messages.size(), questions);
    if (questions) {
        QCOMPARE(platform.messages.at(0).text,
                 QStringLiteral("Existem pesquisas abertas, deseja relamente sair?"));
        QCOMPARE(platform.messages.at(0).title, QStringLiteral("Aviso:"));
        QCOMPARE(platform.messages.at(0).buttons, PlatformBackend::Buttons::YesNo);
    }
    QCOMPARE(platform.programEnds, ends);
    QCOMPARE(CountSearchWindows(), searchWindows);
}

void TestMainWindow::closingTheFrameEndsWithoutAsking()
{
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    trigger(window, "Pesquisar");
    QVERIFY(!window.close()); // the frame's own closing is replaced by ending the program
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(platform.programEnds, 1);
}

void TestMainWindow::configurationWaitsForTheSearchWindowsToClose()
{
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    trigger(window, "Pesquisar");
    trigger(window, "Configurar");
    QCOMPARE(platform.messageTexts(),
             QStringList{QString::fromUtf8("Feche todas janelas de busca antes de abrir a configuração.")});
    QCOMPARE(platform.messages.at(0).title, QStringLiteral("Aviso:"));
    QVERIFY(window.isEnabled());

    window.mdiArea()->closeAllSubWindows();
    trigger(window, "Configurar");
    auto* dialog = qobject_cast<Form1*>(QApplication::topLevelWidgets().value(0));
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Form1*>(top); found && found->isVisible())
            dialog = found;
    }
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!window.isEnabled());
    QVERIFY(dialog->isEnabled());
    QCOMPARE(CountSearchWindows(), 0); // the dialog is no search window
    dialog->close();
    QVERIFY(window.isEnabled());
}

void TestMainWindow::menuCommandsAndAccessKeys()
{
    MainOverStandardCatalogue open;
    MDIForm1& window = open.window;
    RecordingPlatform& platform = open.platform;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        captions.append(action->text());
    QCOMPARE(captions, QStringList({"&Configurar", "&Nova janela", "&Sair", "&Janela"}));
    // A menu's access key reaches only the active window, which a window manager makes active
    // in its own time.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(CountSearchWindows(), 1);
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(platform.messages.size(), 1); // the question of "Sair"
}

void TestMainWindow::restoredSearchWindowsTakeTheirDesignSize()
{
    MainOverStandardCatalogue open;
    trigger(open.window, "Pesquisar");
    trigger(open.window, "Pesquisar");
    const QList<QMdiSubWindow*> frames = open.window.mdiArea()->subWindowList();
    QCOMPARE(frames.size(), 2);
    for (QMdiSubWindow* frame : frames) {
        frame->showNormal(); // its "Restore" button
        QCOMPARE(frame->widget()->size(), QSize(13365 / 15, 9540 / 15));
    }
}

void TestMainWindow::keysCloseAndStepThroughSearchWindows_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("active"); // by opening order; -1: the one that was active is gone
    QTest::newRow("Ctrl+F4 closes the active one") << int(Qt::Key_F4) << int(Qt::ControlModifier) << 2 << -1;
    QTest::newRow("Ctrl+F6, the next") << int(Qt::Key_F6) << int(Qt::ControlModifier) << 3 << 0;
    QTest::newRow("Ctrl+Shift+F6, the previous")
        << int(Qt::Key_F6) << int(Qt::ControlModifier | Qt::ShiftModifier) << 3 << 1;
}

void TestMainWindow::keysCloseAndStepThroughSearchWindows()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, open);
    QFETCH(int, active);
    MainOverStandardCatalogue main;
    QList<QPointer<QMdiSubWindow>> frames;
    for (int i = 0; i < 3; ++i) {
        trigger(main.window, "Pesquisar");
        frames << main.window.mdiArea()->activeSubWindow();
    }
    main.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main.window));
    QTest::keyClick(frames.at(2)->widget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(CountSearchWindows(), open);
    if (active < 0)
        QVERIFY(!frames.at(2) || !frames.at(2)->isVisible());
    else
        QCOMPARE(main.window.mdiArea()->activeSubWindow(), frames.at(active).data());
}

void TestMainWindow::windowMenuArranges_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QSize>("mainSize");
    QTest::addColumn<bool>("overlapping");
    QTest::addColumn<bool>("designKept");
    QTest::addColumn<bool>("cutAcross"); // a horizontal scroll bar
    QTest::newRow("Em cascata") << "mnuCascata" << QSize(1200, 900) << true << true << false;
    QTest::newRow("Em cascata, short of room") << "mnuCascata" << QSize(614, 464) << true << false << true;
    QTest::newRow("Em cascata, short in height")
        << "mnuCascata" << QSize(1200, 500) << true << false << false;
    QTest::newRow("Lado a lado") << "mnuLadoALado" << QSize(614, 464) << false << false << true;
}

void TestMainWindow::windowMenuArranges()
{
    QFETCH(QString, command);
    QFETCH(QSize, mainSize);
    QFETCH(bool, overlapping);
    QFETCH(bool, designKept);
    QFETCH(bool, cutAcross);
    MainOverStandardCatalogue main;
    main.window.resize(mainSize);
    for (int i = 0; i < 3; ++i)
        trigger(main.window, "Pesquisar");
    trigger(main.window, qPrintable(command));
    QCoreApplication::processEvents(); // the frames lay their windows out
    const QList<QMdiSubWindow*> frames = main.window.mdiArea()->subWindowList();
    QCOMPARE(frames.size(), 3);
    const QRect area = main.window.mdiArea()->viewport()->rect();
    for (int i = 0; i < frames.size(); ++i) {
        QVERIFY(!frames.at(i)->isMaximized());
        QVERIFY(area.contains(frames.at(i)->geometry()));
        // Where the area leaves less than the design, the window scrolls.
        const auto* scroller = frames.at(i)->findChild<QScrollArea*>();
        QCOMPARE(frames.at(i)->size() == frames.at(i)->sizeHint(), designKept);
        QCOMPARE(scroller->verticalScrollBar()->isVisible(), !designKept);
        QCOMPARE(scroller->horizontalScrollBar()->isVisible(), cutAcross);
        for (int j = i + 1; j < frames.size(); ++j)
            QCOMPARE(frames.at(i)->geometry().intersects(frames.at(j)->geometry()), overlapping);
    }
}

void TestMainWindow::windowMenuListsAndActivates()
{
    MainOverStandardCatalogue main;
    QVERIFY(QTest::qWaitForWindowExposed(&main.window));
    QList<QMdiSubWindow*> frames;
    for (int i = 0; i < 3; ++i) {
        trigger(main.window, "Pesquisar");
        frames << main.window.mdiArea()->activeSubWindow();
    }
    typeText(frames.at(1)->findChild<ComboBox*>("CbxRef"), "KV-100");
    QTest::keyClick(frames.at(1)->findChild<ComboBox*>("CbxRef"), Qt::Key_Return);
    auto* menu = main.window.findChild<QMenu*>("mnuJanela");
    QVERIFY(menu);
    const auto listed = [&] {
        main.window.activateWindow();
        if (!QTest::qWaitForWindowActive(&main.window))
            return QStringList{QStringLiteral("the main window never became active")};
        QTest::keyClick(&main.window, Qt::Key_J, Qt::AltModifier);
        QStringList entries;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                entries << action->text() + (action->isChecked() ? "*" : "");
        }
        return entries;
    };
    QCOMPARE(listed(), QStringList({"Em &cascata", "&Lado a lado", "&1 Consulta", "&2 Consulta \u2014 KV-100",
                                    "&3 Consulta*"}));
    QVERIFY(menu->isVisible());
    menu->actions().at(3)->trigger(); // "&1 Consulta"
    menu->close();
    QCOMPARE(main.window.mdiArea()->activeSubWindow(), frames.at(0));

    frames.at(1)->close();
    QCOMPARE(listed(), QStringList({"Em &cascata", "&Lado a lado", "&1 Consulta*", "&2 Consulta"}));
    menu->close();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
