#include "KeyToPanel.h"

#include "ProgramDriver.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

namespace {

constexpr int kGiveUpMs = 5000;

} // namespace

KeyToPanel::KeyToPanel(Form2* window)
    : m_window(window), m_photo(window->findChild<QWidget*>(QStringLiteral("Picture1")))
{
    if (!m_photo)
        qFatal("no photo in the search window");
    m_photo->installEventFilter(this);
}

KeyToPanel::~KeyToPanel()
{
    m_photo->removeEventFilter(this);
}

bool KeyToPanel::pressEnter(const char* box)
{
    m_painted = false;
    // Only the press: the lookup runs on it, and a user lets go of the key after the panel shows.
    QTest::keyPress(ProgramDriver::combo(m_window, box), Qt::Key_Return);
    const QDeadlineTimer deadline(kGiveUpMs);
    // The pass that paints the photo runs to its end within the call that sees it.
    while (!m_painted && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return m_painted;
}

bool KeyToPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_photo && event->type() == QEvent::Paint)
        m_painted = true;
    return false;
}
