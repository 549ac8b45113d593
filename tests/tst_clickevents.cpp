#include "SearchWindowFixture.h"
#include "ui/search/Form2.h"

#include <QMouseEvent>
#include <QTest>
#include <QWindow>

namespace {

// Clicks on a control through the platform's own input path: the events go to the window
// as the window system reports them, and Qt turns two quick clicks into a double click.
struct PlatformMouse
{
    QWidget* control;

    // A point of the control itself: the frame's centre lies on the photo inside it.
    QPoint spot() const
    {
        const QPoint centre = control->rect().center();
        return control->childAt(centre) ? control->rect().bottomRight() - QPoint(8, 8) : centre;
    }
    QWindow* window() const { return control->window()->windowHandle(); }
    QPoint at() const { return control->mapTo(control->window(), spot()); }
    void click() const { QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, at()); }
    void doubleClick() const { QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, at()); }
};

// Sends the control one mouse event of a sequence, at a time in milliseconds.
void deliver(QWidget* control, QEvent::Type type, quint64 time)
{
    const QPointF at = control->rect().center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, control->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(control, &event);
}

} // namespace

// Clicks on the photo and its frame counted as the design counts them: a click opens the
// photo once; a double click is a click followed by a double click, so it opens it twice,
// whatever sequence of mouse events the platform delivers.
class TestClickEvents : public QObject
{
    Q_OBJECT

private slots:
    void throughThePlatform_data();
    void throughThePlatform();
    void deliveredSequences_data();
    void deliveredSequences();
    void controlsWithoutDoubleClickCountOneClick_data();
    void controlsWithoutDoubleClickCountOneClick();
};

void TestClickEvents::throughThePlatform_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("opened");
    for (const char* control : {"Picture1", "Frame1"}) {
        QTest::addRow("%s, click", control) << control << "click" << 1;
        QTest::addRow("%s, double click", control) << control << "double click" << 2;
        QTest::addRow("%s, two slow clicks", control) << control << "two clicks" << 2;
        QTest::addRow("%s, two double clicks", control) << control << "two double clicks" << 4;
    }
}

void TestClickEvents::throughThePlatform()
{
    QFETCH(QString, control);
    QFETCH(QString, gesture);
    QFETCH(int, opened);
    SearchWindowFixture f;
    f.typeAndEnter("CbxRef", "KV-100"); // a product with a photo
    f.platform().clear();
    const PlatformMouse mouse{f.control(control)};
    QVERIFY(!mouse.control->childAt(mouse.spot()));
    if (gesture == "click") {
        mouse.click();
    } else if (gesture == "double click") {
        mouse.doubleClick();
    } else if (gesture == "two clicks") {
        mouse.click();
        mouse.click();
    } else {
        mouse.doubleClick();
        mouse.doubleClick();
    }
    QCOMPARE(f.platform().viewerCommands.size(), opened);
    for (const ViewerCommand& command : f.platform().viewerCommands)
        QCOMPARE(command.target, QDir::toNativeSeparators(f.window()->photoPreviewPath()));
}

void TestClickEvents::deliveredSequences_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<int>("opened");
    // P press, R release, D double click; each event 40 ms after the one before, except that
    // the double click of a press that was delivered as well carries that press's time.
    for (const char* control : {"Picture1", "Frame1"}) {
        QTest::addRow("%s, Qt: second press dropped", control) << control << "P R D R" << 2;
        QTest::addRow("%s, both the press and the double click", control) << control << "P R P D= R" << 2;
        QTest::addRow("%s, double click after the second release", control) << control << "P R P R D=" << 2;
        QTest::addRow("%s, a lone double click", control) << control << "D R" << 1;
        QTest::addRow("%s, a click", control) << control << "P R" << 1;
        QTest::addRow("%s, a press without its release", control) << control << "P" << 0;
        QTest::addRow("%s, double click timed after its press", control) << control << "P R P D R" << 2;
        QTest::addRow("%s, a press that lost its release, then a double click", control)
            << control << "P D R" << 1;
    }
}

void TestClickEvents::deliveredSequences()
{
    QFETCH(QString, control);
    QFETCH(QString, sequence);
    QFETCH(int, opened);
    SearchWindowFixture f;
    f.typeAndEnter("CbxRef", "KV-100");
    f.platform().clear();
    QWidget* target = f.control(control);
    quint64 time = 1'000'000;
    quint64 lastPress = time;
    for (const QString& step : sequence.split(QLatin1Char(' '))) {
        time += 40;
        if (step == "P") {
            lastPress = time;
            deliver(target, QEvent::MouseButtonPress, time);
        } else if (step == "R") {
            deliver(target, QEvent::MouseButtonRelease, time);
        } else {
            deliver(target, QEvent::MouseButtonDblClick, step == "D=" ? lastPress : time);
        }
    }
    QCOMPARE(f.platform().viewerCommands.size(), opened);
}

void TestClickEvents::controlsWithoutDoubleClickCountOneClick_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("header picture") << "Image2";
    QTest::newRow("link") << "LinkPrograma";
}

void TestClickEvents::controlsWithoutDoubleClickCountOneClick()
{
    // Their double click has no event of its own: only its first click opens the target.
    QFETCH(QString, control);
    SearchWindowFixture f;
    const PlatformMouse mouse{f.control(control)};
    mouse.doubleClick();
    QCOMPARE(f.platform().viewerCommands.size(), 1);
    mouse.click();
    QCOMPARE(f.platform().viewerCommands.size(), 2);
}

QTEST_MAIN(TestClickEvents)
#include "tst_clickevents.moc"
