#include "catalogue/lists/WorkPool.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <stdexcept>

// The pool that works beside the window thread: what is taken from it, what it throws, and how
// its work ends.
class TestWorkPool : public QObject
{
    Q_OBJECT

private slots:
    void queuedWorkIsDoneByItsTaker();
    void aJobsExceptionReachesItsTaker();
    void cancelEndsEveryJobBeforeItReturns();
};

void TestWorkPool::queuedWorkIsDoneByItsTaker()
{
    WorkPool pool;
    // Every thread of the pool busy until released: the next job can only wait in the queue.
    QSemaphore release;
    QSemaphore started;
    const int threads = pool.threads();
    QList<Job<void>> busy;
    for (int i = 0; i < threads; ++i)
        busy.append(pool.start([&release, &started] {
            started.release();
            release.acquire();
        }));
    started.acquire(threads);
    const Job<QThread*> queued = pool.start([] { return QThread::currentThread(); });
    QCOMPARE(queued.take(), QThread::currentThread());
    release.release(threads);
    for (const Job<void>& job : busy)
        job.take();
}

void TestWorkPool::aJobsExceptionReachesItsTaker()
{
    WorkPool pool;
    const Job<int> failing = pool.start([]() -> int { throw std::length_error("no room for the entries"); });
    try {
        failing.take();
        QFAIL("the exception was lost");
    } catch (const std::length_error& error) {
        QCOMPARE(QByteArray(error.what()), QByteArray("no room for the entries"));
    }
}

void TestWorkPool::cancelEndsEveryJobBeforeItReturns()
{
    auto pool = std::make_unique<WorkPool>();
    auto held = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = held;
    QSemaphore started;
    // A job made of parts, which looks at the flag between them, and jobs queued behind it.
    const Job<int> parts = pool->start([held, cancel = pool->cancelFlag(), &started] {
        started.release();
        int done = 0;
        while (!isCancelled(cancel) && done < 1000000) {
            QThread::msleep(1);
            ++done;
        }
        return done;
    });
    QList<Job<bool>> queued;
    for (int i = 0; i < 8; ++i)
        queued.append(pool->start([held, cancel = pool->cancelFlag()] { return !isCancelled(cancel); }));
    held.reset();
    started.acquire();
    pool->cancelAndWait();
    QCOMPARE(pool->activeJobs(), 0);
    QVERIFY(watch.expired()); // every job has ended and let go of what it held
    QVERIFY(parts.isFinished());
    QVERIFY(parts.take() < 1000000);
    pool.reset();
}

QTEST_GUILESS_MAIN(TestWorkPool)
#include "tst_workpool.moc"
