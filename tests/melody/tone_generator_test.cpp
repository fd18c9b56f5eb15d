// The square-wave tone generator: exact durations, frequencies, repeat, hold and silence.
#include "tone_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tone_decoder.h"

namespace {

constexpr int kRate = 48000;
constexpr std::int16_t A = ToneGenerator::kBuzzerAmplitude;

std::vector<std::int16_t> Render(ToneGenerator& generator, std::size_t count,
                                 std::size_t* sounding = nullptr) {
    std::vector<std::int16_t> samples(count);
    const std::size_t rendered = generator.Render(samples);
    if (sounding != nullptr) *sounding = rendered;
    return samples;
}

std::size_t Samples(int milliseconds) {
    return static_cast<std::size_t>(milliseconds) * kRate / 1000;
}

TEST(FrequencyOfNote, EqualTemperamentFromA440) {
    EXPECT_DOUBLE_EQ(FrequencyOfNote(69), 440.0);
    EXPECT_DOUBLE_EQ(FrequencyOfNote(81), 880.0);
    EXPECT_NEAR(FrequencyOfNote(60), 261.626, 0.001);
    EXPECT_NEAR(FrequencyOfNote(54), 184.997, 0.001);
    EXPECT_NEAR(FrequencyOfNote(84), 1046.502, 0.001);
}

TEST(ToneGenerator, StartsSilent) {
    ToneGenerator generator(kRate);
    EXPECT_TRUE(generator.Finished());
    EXPECT_EQ(Render(generator, 100), std::vector<std::int16_t>(100, 0));
}

TEST(ToneGenerator, EachToneAndRestLastsExactlyItsTimeAtItsFrequency) {
    ToneGenerator generator(kRate);
    const std::vector<Tone> tones{{FrequencyOfNote(69), 500}, {0, 250},
                                  {FrequencyOfNote(54), 75},  {0, 1},
                                  {FrequencyOfNote(84), 375}, {0, 40}};
    generator.Play({tones, false});
    std::size_t sounding = 0;
    const std::vector<std::int16_t> samples = Render(generator, Samples(1241 + 500), &sounding);
    EXPECT_EQ(sounding, Samples(1241));
    EXPECT_TRUE(generator.Finished());

    const std::vector<HeardTone> heard = DecodeTones(samples, kRate);
    ASSERT_EQ(heard.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(heard[i].samples, Samples(tones[i].milliseconds)) << i;
        EXPECT_NEAR(heard[i].frequency, tones[i].frequency, 0.5) << i;
    }
    // The last rest runs on into the silence after the end.
    EXPECT_EQ(heard[5].samples, Samples(40 + 500));
}

TEST(ToneGenerator, EveryToneStartsAtTheTopOfItsWave) {
    // At 8000 Hz, 500 Hz is a wave of 16 samples and 1000 Hz one of 8 (exact in binary).
    ToneGenerator generator(8000);
    generator.Play({{{500, 3}, {1000, 2}}, false});
    std::vector<std::int16_t> expected;
    const auto run = [&](std::int16_t value, int count) {
        expected.insert(expected.end(), count, value);
    };
    run(A, 8), run(-A, 8), run(A, 8);              // 1.5 waves of 500 Hz in 3 ms
    run(A, 4), run(-A, 4), run(A, 4), run(-A, 4);  // 1000 Hz starts again at the top
    run(0, 4);
    EXPECT_EQ(Render(generator, 44), expected);
}

TEST(ToneGenerator, ASequenceWithRepeatStartsAgainWithItsFirstTone) {
    ToneGenerator generator(kRate);
    generator.Play({{{880, 100}, {0, 10}, {440, 30}}, true});
    std::size_t sounding = 0;
    const std::vector<std::int16_t> samples = Render(generator, Samples(300), &sounding);
    EXPECT_EQ(sounding, samples.size());
    EXPECT_FALSE(generator.Finished());
    const std::vector<HeardTone> heard = DecodeTones(samples, kRate);
    // 880, rest, 440, then again: the 440 of one pass runs straight into the 880 of the next.
    ASSERT_GE(heard.size(), 4u);
    EXPECT_EQ(heard[0].samples, Samples(100));
    EXPECT_NEAR(heard[0].frequency, 880, 0.5);
    EXPECT_EQ(heard[1].samples, Samples(10));
    EXPECT_EQ(heard[2].samples, Samples(30 + 100));
    EXPECT_EQ(heard[3].samples, Samples(10));
    const auto pass = static_cast<std::ptrdiff_t>(Samples(140));
    EXPECT_EQ(std::vector<std::int16_t>(samples.begin(), samples.begin() + pass),
              std::vector<std::int16_t>(samples.begin() + pass, samples.begin() + 2 * pass));
}

TEST(ToneGenerator, RenderingInSmallBlocksGivesTheSameSamples) {
    const ToneSequence sequence{{{523.25, 7}, {0, 3}, {659.26, 11}}, true};
    ToneGenerator whole(kRate);
    whole.Play(sequence);
    const std::vector<std::int16_t> expected = Render(whole, 4000);
    ToneGenerator blocks(kRate);
    blocks.Play(sequence);
    std::vector<std::int16_t> joined;
    for (std::size_t size : {1u, 37u, 480u, 2u, 3480u}) {
        const std::vector<std::int16_t> block = Render(blocks, size);
        joined.insert(joined.end(), block.begin(), block.end());
    }
    EXPECT_EQ(joined, expected);
}

TEST(ToneGenerator, HoldSoundsUntilSilenceWhichActsFromTheNextSample) {
    ToneGenerator generator(kRate);
    generator.Hold(440);
    const std::vector<std::int16_t> held = Render(generator, Samples(2000));
    EXPECT_FALSE(generator.Finished());
    const std::vector<HeardTone> heard = DecodeTones(held, kRate);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NEAR(heard[0].frequency, 440, 0.1);

    generator.Silence();
    EXPECT_TRUE(generator.Finished());
    EXPECT_EQ(Render(generator, 10), std::vector<std::int16_t>(10, 0));
}

TEST(ToneGenerator, APassThatTakesNoTimeEndsInsteadOfRepeatingForever) {
    ToneGenerator generator(kRate);
    generator.Play({{{440, 0}, {0, 0}}, true});
    EXPECT_TRUE(generator.Finished());
    EXPECT_EQ(Render(generator, 10), std::vector<std::int16_t>(10, 0));
    generator.Play({{}, true});
    EXPECT_TRUE(generator.Finished());
}

TEST(ToneGenerator, ZeroLengthTonesAreSkipped) {
    ToneGenerator generator(kRate);
    generator.Play({{{440, 0}, {880, 100}, {220, 0}}, false});
    const std::vector<HeardTone> heard = DecodeTones(Render(generator, Samples(120)), kRate);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_NEAR(heard[0].frequency, 880, 0.5);
    EXPECT_EQ(heard[0].samples, Samples(100));
}

}  // namespace
