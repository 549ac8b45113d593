#include "catalogue/opened/Catalogue.h"
#include "ui/search/ComboBox.h"
#include "ui/search/ComboLists.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

// The combo box's events, as the search window's handlers rely on them.
class TestComboBoxEvents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void programSetTextAndEntriesRaiseNoClick();
    void arrowKeysRaiseOneClickPerStep();
    void mouseChoiceRaisesOneClick();
    void keysGiveCodesAndTypingAddsNoEntry();
    void enterAndLeavingRaiseNoClick();
    void longListShowsBeforeItsEntriesAreSorted();

private:
    ComboBox* m_box = nullptr;
    QWidget* m_other = nullptr;
    QWidget* m_host = nullptr;
};

void TestComboBoxEvents::init()
{
    m_host = new QWidget;
    m_box = new ComboBox(m_host);
    m_other = new QLineEdit(m_host);
    m_other->move(0, 40);
    m_box->setEntries({"alfa", "beta", "gama"});
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    m_box->setFocus();
}

void TestComboBoxEvents::cleanup()
{
    delete m_host;
}

void TestComboBoxEvents::programSetTextAndEntriesRaiseNoClick()
{
    QSignalSpy clicks(m_box, &ComboBox::Click);
    m_box->setEditText("beta");
    m_box->setEntries({"um", "dois", "beta"});
    QCOMPARE(m_box->currentText(), QStringLiteral("beta")); // entries leave the text alone
    QCOMPARE(m_box->currentIndex(), -1);                    // and select nothing
    m_box->setCurrentIndex(1);
    m_box->clearEntries();
    QCOMPARE(m_box->currentText(), QString());
    QCOMPARE(m_box->count(), 0);
    QCOMPARE(clicks.count(), 0);
}

void TestComboBoxEvents::arrowKeysRaiseOneClickPerStep()
{
    QSignalSpy clicks(m_box, &ComboBox::Click);
    QStringList seen;
    connect(m_box, &ComboBox::Click, this, [&] { seen.append(m_box->currentText()); });
    QTest::keyClick(m_box, Qt::Key_Down);
    QTest::keyClick(m_box, Qt::Key_Down);
    QTest::keyClick(m_box, Qt::Key_Up);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(seen, QStringList({"alfa", "beta", "alfa"}));
    // Up at the first entry goes nowhere and chooses nothing.
    QTest::keyClick(m_box, Qt::Key_Up);
    QCOMPARE(clicks.count(), 3);
}

void TestComboBoxEvents::mouseChoiceRaisesOneClick()
{
    QSignalSpy clicks(m_box, &ComboBox::Click);
    m_box->showPopup();
    QAbstractItemView* list = m_box->view();
    const QPoint at = list->visualRect(list->model()->index(2, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(m_box->currentText(), QStringLiteral("gama"));
}

void TestComboBoxEvents::keysGiveCodesAndTypingAddsNoEntry()
{
    QSignalSpy downs(m_box, &ComboBox::KeyDown);
    QSignalSpy presses(m_box, &ComboBox::KeyPress);
    QTest::keyClicks(m_box, "Zeta");
    QTest::keyClick(m_box, Qt::Key_Return);
    QTest::keyClick(m_box, Qt::Key_F2);
    QCOMPARE(m_box->currentText(), QStringLiteral("Zeta"));
    QCOMPARE(m_box->count(), 3);
    QCOMPARE(presses.count(), 5);
    QCOMPARE(presses.at(0).at(0).toInt(), int('Z'));
    QCOMPARE(presses.at(4).at(0).toInt(), 13);
    QCOMPARE(downs.count(), 6);
    QCOMPARE(downs.at(0).at(0).toInt(), int('Z')); // key codes name the key, not the character
    QCOMPARE(downs.at(1).at(0).toInt(), int('E'));
    QCOMPARE(downs.at(4).at(0).toInt(), 13);
    QCOMPARE(downs.at(5).at(0).toInt(), 113);
}

void TestComboBoxEvents::enterAndLeavingRaiseNoClick()
{
    QSignalSpy clicks(m_box, &ComboBox::Click);
    QTest::keyClicks(m_box, "beta"); // the exact text of an entry
    QTest::keyClick(m_box, Qt::Key_Return);
    m_other->setFocus();
    QTest::keyClick(m_other, Qt::Key_A);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(m_box->currentText(), QStringLiteral("beta"));
}

// A filter's result fills its box at once; the sort runs on the catalogue's pool, and only
// drawing an entry waits for it.
void TestComboBoxEvents::longListShowsBeforeItsEntriesAreSorted()
{
    QStringList references;
    for (int i = 30000; i > 0; --i)
        references.append(QStringLiteral("KV-%1").arg(i, 5, 10, QLatin1Char('0')));
    const CachedList list(references, {});
    Catalogue catalogue;
    QSemaphore release;
    QList<Job<void>> busy;
    for (int i = 0; i < catalogue.work().threads(); ++i)
        busy.append(catalogue.work().start([&release] { release.acquire(); }));

    m_box->setEditText(QStringLiteral("kv"));
    ComboLists::fill(m_box, catalogue.boxList(list, ListKind::HouseReferences));
    QCOMPARE(m_box->count(), 30000);
    QCOMPARE(m_box->currentText(), QStringLiteral("kv"));
    QVERIFY(!list.entriesUnderWay(EntryRule::AsStored, true));

    release.release(int(busy.size()));
    QCOMPARE(m_box->itemText(0), QStringLiteral("KV-00001"));
    QCOMPARE(m_box->itemText(29999), QStringLiteral("KV-30000"));
}

QTEST_MAIN(TestComboBoxEvents)
#include "tst_comboboxevents.moc"
