// The virtual board's tone player: its patterns rendered through a sound card the test
// drives, at the volume's loudness, and silence on a machine without a sound device.
#include "sim/board_tone_player.h"

#include <QTest>
#include <algorithm>
#include <vector>

namespace {

class FakeSink : public IAudioSink {
public:
    explicit FakeSink(bool available) : available_(available) {}
    bool Available() override { return available_; }
    bool Start(int sampleRate, Fill fill) override {
        rate = sampleRate;
        fill_ = std::move(fill);
        ++starts;
        return true;
    }
    void Stop() override {
        fill_ = nullptr;
        ++stops;
    }
    bool Streaming() const { return static_cast<bool>(fill_); }
    // The loudest sample of the next milliseconds the card plays.
    int Loudest(int milliseconds) {
        std::vector<std::int16_t> block(static_cast<std::size_t>(rate / 1000 * milliseconds));
        fill_(block);
        int loudest = 0;
        for (const std::int16_t sample : block) loudest = std::max(loudest, std::abs(int{sample}));
        return loudest;
    }
    int rate = 0;
    int starts = 0;
    int stops = 0;

private:
    bool available_;
    Fill fill_;
};

}  // namespace

class BoardTonePlayerTest : public QObject {
    Q_OBJECT

private slots:
    void playsThePatternAtTheVolumesLoudness() {
        FakeSink card(true);
        BoardTonePlayer player(card);
        player.Play(PatternOf(SoundKind::Buzzer, {}), 3);
        QCOMPARE(card.starts, 1);
        QCOMPARE(card.rate, BoardTonePlayer::kSampleRate);
        QCOMPARE(card.Loudest(20), int{ToneGenerator::kBuzzerAmplitude});
        player.Play(PatternOf(SoundKind::Alarm, {}), 1);  // the stream goes on
        QCOMPARE(card.starts, 1);
        QCOMPARE(card.Loudest(20), static_cast<int>(ToneGenerator::kBuzzerAmplitude * 0.3));
    }

    void aMelodyWithoutRepeatEndsInSilence() {
        FakeSink card(true);
        BoardTonePlayer player(card);
        player.Play({{{440.0, 50}}, false}, 2);
        QVERIFY(card.Loudest(50) > 0);
        QCOMPARE(card.Loudest(50), 0);
    }

    void stopEndsTheStream() {
        FakeSink card(true);
        BoardTonePlayer player(card);
        player.Play(PatternOf(SoundKind::Melody, {}), 2);
        player.Stop();
        QVERIFY(!card.Streaming());
        QCOMPARE(card.stops, 1);
        player.Stop();  // nothing more to stop
        QCOMPARE(card.stops, 1);
        player.Play(PatternOf(SoundKind::Buzzer, {}), 2);
        QCOMPARE(card.starts, 2);
    }

    void withoutASoundDeviceNothingStarts() {
        FakeSink none(false);
        BoardTonePlayer player(none);
        player.Play(PatternOf(SoundKind::Buzzer, {}), 2);
        QCOMPARE(none.starts, 0);
        player.Stop();
        QCOMPARE(none.stops, 0);
    }
};

QTEST_MAIN(BoardTonePlayerTest)
#include "board_tone_player_test.moc"
