#include "ProgramDriver.h"

#include "TestProgram.h"
#include "WindowText.h"
#include "base/ProgramLocation.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"
#include "ui/main/MDIForm1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMdiArea>
#include <QTest>

ProgramDriver::ProgramDriver(const QString& catalogue)
{
    ProgramLocation::setExecutableForTesting(m_dir.filePath(QStringLiteral("lumeo")));
    Module1::Reset();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    Module1::DatabasePath = catalogue;

    m_main = std::make_unique<MDIForm1>();
    QObject::connect(m_main.get(), &MDIForm1::searchWindowOpened,
                     [this](Form2* window) { m_windows.append(window); });
    m_main->resize(1280, 900);
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get()))
        qWarning("main window not exposed");
}

ProgramDriver::~ProgramDriver()
{
    closeWindows();
    m_main.reset();
    Module1::Reset();
    ProgramLocation::setExecutableForTesting(QString());
}

bool ProgramDriver::openCatalogue()
{
    return OpenCatalogue();
}

Form2* ProgramDriver::openWindow()
{
    const int before = int(m_windows.size());
    m_main->Pesquisar_Click();
    QCoreApplication::processEvents();
    return m_windows.size() > before ? m_windows.last().data() : nullptr;
}

void ProgramDriver::closeWindows()
{
    m_main->mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    m_windows.clear();
}

int ProgramDriver::windowCount() const
{
    return int(m_main->mdiArea()->subWindowList().size());
}

ComboBox* ProgramDriver::combo(Form2* window, const char* name)
{
    auto* box = window->findChild<ComboBox*>(QString::fromLatin1(name));
    if (!box)
        qFatal("no combo box %s", name);
    return box;
}

void ProgramDriver::setText(Form2* window, const char* name, const QString& text)
{
    combo(window, name)->setEditText(text);
}

QString ProgramDriver::text(Form2* window, const char* name)
{
    return textOf(window, QString::fromLatin1(name));
}

QString ProgramDriver::listSizes()
{
    return QStringLiteral("%1 house references, %2 descriptions, %3 competitor references, %4 families, "
                          "%5 manufacturers")
        .arg(Module1::Opened().HouseRefRows.size())
        .arg(Module1::Opened().DescRows.size())
        .arg(Module1::Opened().RefRows.size())
        .arg(Module1::Opened().FamRows.size())
        .arg(Module1::Opened().CompRows.size());
}

QStringList ProgramDriver::takeMessages()
{
    const QStringList texts = m_platform.messageTexts();
    m_platform.clear();
    return texts;
}
