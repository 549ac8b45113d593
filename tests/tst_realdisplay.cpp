#include "RealDisplay.h"

#include <QTest>

// What only a real window system shows.
class TestRealDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
};

void TestRealDisplay::initTestCase()
{
    QVERIFY2(RealDisplay::isRunning(), "runs on a real X server only");
}

QTEST_MAIN(TestRealDisplay)
#include "tst_realdisplay.moc"
