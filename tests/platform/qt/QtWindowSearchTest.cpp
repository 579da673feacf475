// The search for a running copy's main window: a published window is found by its exact caption and
// raised; another caption, or no running copy, finds nothing.
#include <QCoreApplication>
#include <QLocalServer>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>

#include "platform/qt/QtWindowSearch.h"

namespace {

/// The running copy: a published search in a thread of its own, as the search blocks while it waits for
/// the answer.
class RunningCopy {
public:
    RunningCopy(const std::string& windowClass, const std::string& caption) : m_caption(caption) {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_context,
            [this, windowClass] {
                m_search = std::make_unique<QtWindowSearch>();
                m_search->publish(
                    windowClass, [this] { return m_caption; }, [this] { ++shows; });
                m_name = m_search->publishedName();
            },
            Qt::BlockingQueuedConnection);
    }
    ~RunningCopy() {
        QMetaObject::invokeMethod(
            &m_context, [this] { m_search.reset(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    QString name() const { return m_name; }

    std::atomic<int> shows{0};

private:
    std::string m_caption;
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<QtWindowSearch> m_search;
    QString m_name;
};

/// A window class of this test run alone, so that no real copy of the program answers.
std::string testClass(const char* tag) {
    return "KvtTest-" + std::to_string(QCoreApplication::applicationPid()) + "-" + tag;
}

}  // namespace

class QtWindowSearchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void publishedWindow_isFoundByItsExactCaption_andRaised();
    void otherCaption_orOtherClass_findsNothing();
    void noRunningCopy_findsNothing();
    void secondPublisher_takesTheNextName_andBothAreFound();
    void nameLeftByAnEndedCopy_isTakenOver();
};

void QtWindowSearchTest::publishedWindow_isFoundByItsExactCaption_andRaised() {
    const std::string cls = testClass("a");
    RunningCopy running(cls, "KVT3310 set up MessageSetup.cfg");
    QVERIFY(!running.name().isEmpty());
    QtWindowSearch search;
    const auto handle = search.FindWindowA(cls, "KVT3310 set up MessageSetup.cfg");
    QVERIFY(handle != 0);
    QCOMPARE(running.shows.load(), 0);
    search.ShowWindow(handle, IWindowSearch::kShowNormal);
    QCOMPARE(running.shows.load(), 1);
    // Another show command than the normal one is not ours to carry out.
    search.ShowWindow(handle, 0);
    QCOMPARE(running.shows.load(), 1);
}

void QtWindowSearchTest::otherCaption_orOtherClass_findsNothing() {
    const std::string cls = testClass("b");
    RunningCopy running(cls, "KVT3310 set up ");
    QtWindowSearch search;
    QCOMPARE(search.FindWindowA(cls, "KVT3310 set up"), IWindowSearch::Handle{0});
    QCOMPARE(search.FindWindowA(cls, "kvt3310 set up "), IWindowSearch::Handle{0});
    QCOMPARE(search.FindWindowA(cls, ""), IWindowSearch::Handle{0});
    QCOMPARE(search.FindWindowA(testClass("other"), "KVT3310 set up "), IWindowSearch::Handle{0});
    search.ShowWindow(12345, IWindowSearch::kShowNormal);
    QCOMPARE(running.shows.load(), 0);
}

void QtWindowSearchTest::noRunningCopy_findsNothing() {
    QtWindowSearch search;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(search.FindWindowA(testClass("none"), "KVT3310 set up "), IWindowSearch::Handle{0});
    // Nobody listens, so nothing is waited for.
    QVERIFY(clock.elapsed() < 1000);
}

void QtWindowSearchTest::secondPublisher_takesTheNextName_andBothAreFound() {
    const std::string cls = testClass("c");
    RunningCopy first(cls, "first");
    RunningCopy second(cls, "second");
    QVERIFY(first.name() != second.name());
    QtWindowSearch search;
    const auto handle = search.FindWindowA(cls, "second");
    QVERIFY(handle != 0);
    search.ShowWindow(handle, IWindowSearch::kShowNormal);
    QCOMPARE(second.shows.load(), 1);
    QCOMPARE(first.shows.load(), 0);
    QVERIFY(search.FindWindowA(cls, "first") != 0);
}

void QtWindowSearchTest::nameLeftByAnEndedCopy_isTakenOver() {
    const std::string cls = testClass("d");
    const QString name = QtWindowSearch::serverName(cls, 0);
    // A copy that ended without cleaning up leaves its socket file behind on Unix.
    {
        QLocalServer stale;
        stale.setSocketOptions(QLocalServer::UserAccessOption);
        QVERIFY(stale.listen(name));
        const QString path = stale.fullServerName();
        stale.close();
        QFile leftover(path);
        if (!leftover.exists())
            QVERIFY(leftover.open(QIODevice::WriteOnly));
    }
    RunningCopy running(cls, "KVT3310 set up ");
    QCOMPARE(running.name(), name);
    QtWindowSearch search;
    QVERIFY(search.FindWindowA(cls, "KVT3310 set up ") != 0);
}

QTEST_GUILESS_MAIN(QtWindowSearchTest)
#include "QtWindowSearchTest.moc"
