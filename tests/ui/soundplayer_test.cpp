// The sound player with a fake output in place of the platform's: a sound
// played to its end, stopped in the middle, refused by the output, and the
// player's end while a sound plays. The fake blocks like a device's queue:
// each write waits until the test lets it through.

#include "ui/sound/soundplayer.h"

#include <QSignalSpy>
#include <QtTest>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// What the player did to its output, seen from the test's thread.
struct OutputLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t written = 0;
    int writesBegun = 0;
    int writesLetThrough = 0; // writes the test allows; -1: every write
    bool drained = false;
    bool discarded = false;
    bool closed = false;
    std::optional<std::size_t> failAfter; // a write failing once this many samples are out
    bool paced = false; // a write takes as long as its samples sound, at kRate
};

constexpr int kRate = 1000; // writes of 20 samples, a fiftieth of a second each

class FakeOutput : public SoundOutput {
public:
    explicit FakeOutput(std::shared_ptr<OutputLog> log)
        : m_log(std::move(log))
    {
    }
    ~FakeOutput() override
    {
        const std::lock_guard lock(m_log->mutex);
        m_log->closed = true;
        m_log->changed.notify_all();
    }

    bool write(const float*, std::size_t count, SoundFailure& failure) override
    {
        {
            std::unique_lock lock(m_log->mutex);
            ++m_log->writesBegun;
            m_log->changed.notify_all();
            m_log->changed.wait(lock, [this] { return m_log->writesLetThrough != 0; });
            if (m_log->writesLetThrough > 0)
                --m_log->writesLetThrough;
            if (m_log->failAfter && m_log->written >= *m_log->failAfter) {
                failure = {SoundFailure::Kind::Other, QStringLiteral("the fake device broke")};
                return false;
            }
            m_log->written += count;
            m_log->changed.notify_all();
        }
        if (m_log->paced)
            std::this_thread::sleep_for(std::chrono::milliseconds(count * 1000 / kRate));
        return true;
    }
    void drain(const std::atomic<bool>&) override
    {
        const std::lock_guard lock(m_log->mutex);
        m_log->drained = true;
    }
    void discard() override
    {
        const std::lock_guard lock(m_log->mutex);
        m_log->discarded = true;
    }

private:
    std::shared_ptr<OutputLog> m_log;
};

class FakeDevices : public SoundDevices {
public:
    std::shared_ptr<OutputLog> log = std::make_shared<OutputLog>();
    SoundFailure openFailure;
    int opened = 0;

    std::unique_ptr<SoundOutput> openOutput(int, int, SoundFailure& failure) override
    {
        ++opened;
        if (openFailure) {
            failure = openFailure;
            return nullptr;
        }
        return std::make_unique<FakeOutput>(log);
    }
    std::unique_ptr<SoundInput> openInput(int, SoundFailure& failure) override
    {
        failure = {SoundFailure::Kind::NoDevice, {}};
        return nullptr;
    }
};

// Lets `writes` more writes through (-1: all of them).
void letThrough(OutputLog& log, int writes)
{
    const std::lock_guard lock(log.mutex);
    log.writesLetThrough = writes;
    log.changed.notify_all();
}

// Waits until the sound's thread has written `samples`, or for two seconds.
bool waitForWritten(OutputLog& log, std::size_t samples)
{
    std::unique_lock lock(log.mutex);
    return log.changed.wait_for(lock, std::chrono::seconds(2), [&] { return log.written >= samples; });
}

// Waits until the sound's thread is in its write number `write`, or for two seconds.
bool waitForWriteBegun(OutputLog& log, int write)
{
    std::unique_lock lock(log.mutex);
    return log.changed.wait_for(lock, std::chrono::seconds(2), [&] { return log.writesBegun >= write; });
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<SoundFailure>(); }
    void playsEverySampleThenDrainsAndCloses();
    void stopReturnsWhileTheOutputIsBusyAndDiscardsTheRest();
    void aRefusedOutputIsReportedAsItsKind_data();
    void aRefusedOutputIsReportedAsItsKind();
    void endingThePlayerWhilePlayingSilencesAndClosesTheOutput();
    void aSampleRateBelowFiftyStillPlaysToTheEnd();
};

void SoundPlayerTest::aSampleRateBelowFiftyStillPlaysToTheEnd()
{
    // A fiftieth of a second of so few samples a second is none: the sound
    // is still written, a sample at a time, and ends.
    for (const int rate : {1, 10, 49}) {
        auto devices = std::make_shared<FakeDevices>();
        letThrough(*devices->log, -1);
        SoundPlayer player(devices);
        QSignalSpy playing(&player, &SoundPlayer::playingChanged);
        player.play(std::vector<float>(std::size_t(rate) * 2, 0.25f), rate);
        QTRY_COMPARE(playing.size(), 2);
        const std::lock_guard lock(devices->log->mutex);
        QCOMPARE(devices->log->written, std::size_t(rate) * 2);
        QVERIFY(devices->log->closed);
    }
}

void SoundPlayerTest::playsEverySampleThenDrainsAndCloses()
{
    auto devices = std::make_shared<FakeDevices>();
    letThrough(*devices->log, -1);
    SoundPlayer player(devices);
    QSignalSpy playing(&player, &SoundPlayer::playingChanged);
    player.play(std::vector<float>(kRate / 2, 0.25f), kRate);
    QTRY_COMPARE(playing.size(), 2);
    QCOMPARE(playing[0].first().toBool(), true);
    QCOMPARE(playing[1].first().toBool(), false);
    const std::lock_guard lock(devices->log->mutex);
    QCOMPARE(devices->log->written, std::size_t(kRate / 2));
    QVERIFY(devices->log->drained);
    QVERIFY(!devices->log->discarded);
    QVERIFY(devices->log->closed);
}

void SoundPlayerTest::stopReturnsWhileTheOutputIsBusyAndDiscardsTheRest()
{
    auto devices = std::make_shared<FakeDevices>();
    OutputLog& log = *devices->log;
    letThrough(log, 3);
    SoundPlayer player(devices);
    QSignalSpy playing(&player, &SoundPlayer::playingChanged);
    player.play(std::vector<float>(2 * kRate, 0.25f), kRate);
    QVERIFY(waitForWritten(log, 60));
    QVERIFY(waitForWriteBegun(log, 4));
    // The fourth write now waits for the device: stopping must not wait for it.
    player.stop();
    QVERIFY(!player.isPlaying());
    QCOMPARE(playing.size(), 2);
    letThrough(log, -1);
    std::unique_lock lock(log.mutex);
    QVERIFY(log.changed.wait_for(lock, std::chrono::seconds(2), [&] { return log.closed; }));
    QVERIFY(log.discarded);
    QVERIFY(!log.drained);
    QCOMPARE(log.written, std::size_t(80)); // the write under way, and not one more
    lock.unlock();

    // A stopped sound reports nothing later, and a new one plays whole.
    QSignalSpy failed(&player, &SoundPlayer::failed);
    player.play(std::vector<float>(kRate / 10, 0.5f), kRate);
    QTRY_VERIFY(!player.isPlaying());
    QCOMPARE(failed.size(), 0);
    QCOMPARE(devices->opened, 2);
}

void SoundPlayerTest::aRefusedOutputIsReportedAsItsKind_data()
{
    QTest::addColumn<int>("openFailure");
    QTest::addColumn<int>("failAfter"); // -1: never
    QTest::addColumn<int>("reported");
    QTest::addRow("no server") << int(SoundFailure::Kind::NoServer) << -1 << int(SoundFailure::Kind::NoServer);
    QTest::addRow("no device") << int(SoundFailure::Kind::NoDevice) << -1 << int(SoundFailure::Kind::NoDevice);
    QTest::addRow("broken mid-sound") << int(SoundFailure::Kind::None) << 100 << int(SoundFailure::Kind::Other);
}

void SoundPlayerTest::aRefusedOutputIsReportedAsItsKind()
{
    QFETCH(int, openFailure);
    QFETCH(int, failAfter);
    QFETCH(int, reported);
    auto devices = std::make_shared<FakeDevices>();
    devices->openFailure.kind = SoundFailure::Kind(openFailure);
    if (failAfter >= 0)
        devices->log->failAfter = std::size_t(failAfter);
    letThrough(*devices->log, -1);
    SoundPlayer player(devices);
    QSignalSpy failed(&player, &SoundPlayer::failed);
    player.play(std::vector<float>(kRate, 0.25f), kRate);
    QTRY_COMPARE(failed.size(), 1);
    QCOMPARE(int(failed.first().first().value<SoundFailure>().kind), reported);
    QVERIFY(!player.isPlaying());
    const std::lock_guard lock(devices->log->mutex);
    QVERIFY(!devices->log->drained);
    if (failAfter >= 0) {
        QCOMPARE(devices->log->written, std::size_t(failAfter));
        QVERIFY(devices->log->closed);
    }
}

void SoundPlayerTest::endingThePlayerWhilePlayingSilencesAndClosesTheOutput()
{
    auto devices = std::make_shared<FakeDevices>();
    OutputLog& log = *devices->log;
    log.paced = true;
    letThrough(log, -1);
    {
        SoundPlayer player(devices);
        player.play(std::vector<float>(2 * kRate, 0.25f), kRate);
        QVERIFY(waitForWritten(log, 40));
    } // the program ends two seconds before the sound would
    const std::lock_guard lock(log.mutex);
    QVERIFY(log.closed);
    QVERIFY(log.discarded);
    QVERIFY(!log.drained);
    QVERIFY(log.written < std::size_t(kRate));
}

QTEST_MAIN(SoundPlayerTest)
#include "soundplayer_test.moc"
