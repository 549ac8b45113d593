#include "SearchWindowFixture.h"

#include "RealDisplay.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

SearchWindowFixture::SearchWindowFixture()
{
    if (!m_program.openStandardCatalogue())
        qFatal("the standard test catalogue did not open");
    m_window = openAnother();
}

SearchWindowFixture::~SearchWindowFixture() = default;

std::unique_ptr<Form2> SearchWindowFixture::openAnother()
{
    return openSearchWindow();
}

std::unique_ptr<Form2> openSearchWindow()
{
    auto window = std::make_unique<Form2>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("search window not exposed");
    // A window manager activates a window a moment after it is exposed; until then the focus
    // moves only on paper, without the focus events that the boxes act on.
    if (RealDisplay::isRunning() && !RealDisplay::waitForActive(window.get()))
        qWarning("search window not activated");
    return window;
}

ComboBox* SearchWindowFixture::combo(const QString& name) const
{
    auto* found = m_window->findChild<ComboBox*>(name);
    if (!found)
        qFatal("no combo box %s", qPrintable(name));
    return found;
}

QWidget* SearchWindowFixture::control(const QString& name) const
{
    auto* found = m_window->findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QString SearchWindowFixture::text(const QString& name) const
{
    return textOf(m_window.get(), name);
}

QStringList SearchWindowFixture::entries(const QString& name) const
{
    return combo(name)->entries();
}

bool SearchWindowFixture::isShown(const QString& name) const
{
    return control(name)->isVisibleTo(m_window.get());
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        // Key codes exist for ASCII letters and digits only; other characters arrive as text.
        const char latin = c.toLatin1();
        const bool plain = c.unicode() < 0x80 && QChar(latin).isLetterOrNumber();
        const Qt::Key key = plain ? Qt::Key(QChar(latin).toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void SearchWindowFixture::typeAndEnter(const QString& comboName, const QString& text)
{
    ComboBox* box = combo(comboName);
    box->setFocus();
    box->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        typeText(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void SearchWindowFixture::choose(const QString& comboName, const QString& entry)
{
    ComboBox* box = combo(comboName);
    const int row = box->findText(entry, Qt::MatchExactly);
    if (row < 0)
        qFatal("%s has no entry %s", qPrintable(comboName), qPrintable(entry));
    box->showPopup();
    QAbstractItemView* list = box->view();
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
