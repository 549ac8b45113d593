#include "media/PhotoScaling.h"

#include <QTest>

class TestPhotoScaling : public QObject
{
    Q_OBJECT

private slots:
    void shownSize_data();
    void shownSize();
    void roundsToWholePixels();
};

void TestPhotoScaling::shownSize_data()
{
    QTest::addColumn<QSizeF>("natural");
    QTest::addColumn<QSizeF>("shown");
    QTest::newRow("landscape") << QSizeF(4500, 3000) << QSizeF(3015, 2010);
    QTest::newRow("portrait") << QSizeF(3000, 4500) << QSizeF(1790, 2685);
    QTest::newRow("wide") << QSizeF(6000, 2000) << QSizeF(3015, 1005);
    QTest::newRow("square goes to the height rule") << QSizeF(4000, 4000) << QSizeF(2685, 2685);
    QTest::newRow("nearly square ends taller") << QSizeF(4000, 3800) << QSizeF(3015, 2864.25);
    QTest::newRow("width rule gives the same height") << QSizeF(3015, 3000) << QSizeF(3015, 3000);
    QTest::newRow("exactly the box") << QSizeF(3015, 2685) << QSizeF(3015, 2685);
    QTest::newRow("smaller is never enlarged") << QSizeF(1500, 900) << QSizeF(1500, 900);
}

void TestPhotoScaling::shownSize()
{
    QFETCH(QSizeF, natural);
    QFETCH(QSizeF, shown);
    const QSizeF result = PhotoScaling::shownSize(natural);
    QVERIFY2(qAbs(result.width() - shown.width()) < 0.01 && qAbs(result.height() - shown.height()) < 0.01,
             qPrintable(QStringLiteral("%1 x %2").arg(result.width()).arg(result.height())));
}

void TestPhotoScaling::roundsToWholePixels()
{
    // 300 x 200 pixels are 4500 x 3000 twips: shown at 3015 x 2010 twips, 201 x 134 pixels.
    QCOMPARE(PhotoScaling::shownPixels(QSize(300, 200)), QSize(201, 134));
    // 300 x 285 pixels: 2864.25 twips high is 190.95 pixels, shown as 191.
    QCOMPARE(PhotoScaling::shownPixels(QSize(300, 285)), QSize(201, 191));
    QCOMPARE(PhotoScaling::shownPixels(QSize(100, 50)), QSize(100, 50));
}

QTEST_APPLESS_MAIN(TestPhotoScaling)
#include "tst_photoscaling.moc"
