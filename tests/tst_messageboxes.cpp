#include "MessageBoxWatcher.h"
#include "RealDisplay.h"
#include "SearchWindowFixture.h"
#include "TestProgram.h"
#include "app/QtTranslations.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/Form1.h"
#include "ui/main/MDIForm1.h"
#include "ui/platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

namespace {

// A desktop theme that orders dialog buttons its own way.
class ButtonLayoutStyle : public QProxyStyle
{
public:
    explicit ButtonLayoutStyle(int layout)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_layout(layout)
    {
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_DialogButtonLayout)
            return m_layout;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

private:
    int m_layout;
};

QString caption(QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox buttons(which);
    return buttons.button(which)->text().remove(QLatin1Char('&'));
}

} // namespace

// The desktop's message boxes as the user sees them: Yes before No whatever order the theme
// gives dialog buttons, Enter for Yes and Escape for No, and the titles of the design exactly,
// as the window system shows them.
class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void yesBeforeNoOnEveryTheme_data();
    void yesBeforeNoOnEveryTheme();
    void answers_data();
    void answers();
    void titles_data();
    void titles();
    void qtTextsInTheDesktopLanguage_data();
    void qtTextsInTheDesktopLanguage();
};

// Shows the main window with one search window, then chooses "&Sair".
static void askToLeaveWithASearchOpen(MDIForm1& window)
{
    window.show();
    {
        RecordingPlatform opening;
        window.findChild<QAction*>("Pesquisar")->trigger();
    }
    window.findChild<QAction*>("Sair")->trigger();
}

void TestMessageBoxes::yesBeforeNoOnEveryTheme_data()
{
    QTest::addColumn<int>("layout");
    QTest::newRow("Windows") << int(QDialogButtonBox::WinLayout);
    QTest::newRow("macOS") << int(QDialogButtonBox::MacLayout);
    QTest::newRow("KDE") << int(QDialogButtonBox::KdeLayout);
    QTest::newRow("GNOME") << int(QDialogButtonBox::GnomeLayout);
    QTest::newRow("Android") << int(QDialogButtonBox::AndroidLayout);
}

void TestMessageBoxes::yesBeforeNoOnEveryTheme()
{
    QFETCH(int, layout);
    QApplication::setStyle(new ButtonLayoutStyle(layout));
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    MDIForm1 window;
    MessageBoxWatcher user(Qt::Key_Escape);
    askToLeaveWithASearchOpen(window);
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(user.seen.at(0).text, QStringLiteral("Existem pesquisas abertas, deseja relamente sair?"));
    QCOMPARE(user.seen.at(0).buttons,
             QStringList({caption(QDialogButtonBox::Yes), caption(QDialogButtonBox::No)}));
    QCOMPARE(user.seen.at(0).defaultButton, caption(QDialogButtonBox::Yes));
    // Escape answered No: the program goes on with its search window.
    QVERIFY(window.isVisible());
    QCOMPARE(window.findChildren<QWidget*>("Form2").size(), 1);
}

void TestMessageBoxes::answers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter, the default") << int(Qt::Key_Return) << int(PlatformBackend::Answer::Yes);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(PlatformBackend::Answer::No);
}

void TestMessageBoxes::answers()
{
    QFETCH(int, key);
    QFETCH(int, answer);
    QApplication::setStyle(new ButtonLayoutStyle(QDialogButtonBox::GnomeLayout));
    MessageBoxWatcher user{Qt::Key(key)};
    const PlatformBackend::Answer given = Platform::messageBox(
        nullptr, QStringLiteral("Pergunta"), PlatformBackend::Buttons::YesNo, QStringLiteral("Aviso:"));
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(int(given), answer);
}

void TestMessageBoxes::titles_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("main window, leaving") << "MDIForm1" << QStringList{"Aviso:"};
    QTest::newRow("search window, not found") << "Form2" << QStringList{"Aviso"};
    QTest::newRow("configuration, saving fails")
        << "Form1" << QStringList{"Korvel: Lumeo"}; // the failure alone: nothing was saved
    QTest::newRow("no catalogue") << "no catalogue" << QStringList{"Lumeo"};
}

void TestMessageBoxes::titles()
{
    QFETCH(QString, window);
    QFETCH(QStringList, titles);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    TestProgram program;
    QStringList seen;
    QStringList held;
    const auto note = [&](const MessageBoxWatcher& user) {
        for (const MessageBoxWatcher::Seen& box : user.seen) {
            seen << box.title;
            held << box.windowName;
        }
    };
    if (window == "MDIForm1") {
        QVERIFY(program.openStandardCatalogue());
        MDIForm1 main;
        main.show();
        {
            RecordingPlatform opening;
            main.findChild<QAction*>("Pesquisar")->trigger();
        }
        MessageBoxWatcher user(Qt::Key_Escape);
        main.findChild<QAction*>("Sair")->trigger();
        note(user);
    } else if (window == "Form2") {
        SearchWindowFixture f;
        MessageBoxWatcher user(Qt::Key_Return);
        f.typeAndEnter("CbxRef", "ZZZ");
        note(user);
    } else if (window == "Form1") {
        QVERIFY(program.openStandardCatalogue());
        Module1::ConfigFilePath = program.file("lumeo.cfg");
        QVERIFY(QDir(program.directory()).mkdir("lumeo.cfg")); // the file cannot be replaced
        QWidget main;
        QPointer<Form1> dialog = new Form1(&main);
        dialog->show();
        MessageBoxWatcher user(Qt::Key_Return);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        note(user);
        delete dialog;
    } else {
        Module1::DatabasePath = program.file("missing.kvl");
        MDIForm1 main;
        main.show();
        MessageBoxWatcher user(Qt::Key_Return);
        main.MDIForm_Load();
        note(user);
        // The reason is in the box's own details.
        QCOMPARE(user.seen.value(0).details,
                 QString::fromUtf8("Arquivo: %1\nO arquivo não foi encontrado.").arg(Module1::DatabasePath));
    }
    QCOMPARE(seen, titles);
    // What the window manager shows in the title bar: exactly the title, nothing added.
    if (RealDisplay::isRunning())
        QCOMPARE(held, titles);
}

void TestMessageBoxes::qtTextsInTheDesktopLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("pt_BR") << "pt_BR" << QStringList{"Sim", QString::fromUtf8("Não")};
    QTest::newRow("en_US") << "en_US" << QStringList{"Yes", "No"};
    QTest::newRow("a language Qt has no words in") << "kl_GL" << QStringList{"Yes", "No"};
}

void TestMessageBoxes::qtTextsInTheDesktopLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, buttons);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installQtTranslations(QLocale(locale));
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    MDIForm1 main;
    MessageBoxWatcher user(Qt::Key_Escape);
    askToLeaveWithASearchOpen(main);
    installQtTranslations(QLocale::c());
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(user.seen.at(0).buttons, buttons);
    // The program's own words stay as they are.
    QCOMPARE(user.seen.at(0).text, QStringLiteral("Existem pesquisas abertas, deseja relamente sair?"));
    QCOMPARE(user.seen.at(0).title, QStringLiteral("Aviso:"));
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
