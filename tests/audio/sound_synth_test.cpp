// The synthesizer that makes the effect files from their descriptions.
#include <gtest/gtest.h>

#include <cmath>

#include "sound_source.h"
#include "synth.h"

namespace audio_test {
namespace {

using sound_tool::ParseSoundSource;
using sound_tool::SoundSource;

TEST(SoundDescription, MistakesAreNamedWithTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"seconds 1\nvoice sine\nbogus 3\n", "line 3: unknown statement \"bogus\""},
      {"seconds 11\nvoice sine\n", "line 1: \"seconds\" needs 0.01 to 10"},
      {"seconds 1\nvoice organ\n", "line 2: a voice starts with"},
      {"seconds 1\nvoice sine freq 0\n", "line 2: \"freq\" needs"},
      {"seconds 1\nvoice sine pitch 3\n", "line 2: unknown voice key \"pitch\""},
      {"rate 22050.5\nseconds 1\nvoice sine\n", "line 1: \"rate\" needs a whole number"},
      {"seconds 1\n", "no voice given"},
  };
  for (const auto& [text, message] : cases) {
    SoundSource s;
    std::string error;
    EXPECT_FALSE(ParseSoundSource(text, &s, &error)) << text;
    EXPECT_NE(error.find(message), std::string::npos) << text << " gave: " << error;
  }
}

TEST(SoundDescription, RendersTheSameSamplesEveryTimeAndLoopsWithoutAClick) {
  SoundSource s;
  std::string error;
  ASSERT_TRUE(
      ParseSoundSource("seconds 0.5  # half a second\ngain 0.5\nloop\n"
                       "voice sine freq 101 level 1\nvoice noise level 0.2 lowpass 500\n",
                       &s, &error))
      << error;
  const auto a = sound_tool::Render(s);
  ASSERT_EQ(a, sound_tool::Render(s));
  ASSERT_EQ(a.size(), 11025u);
  // Across the join the step is no larger than between neighbours inside.
  int largestStep = 0;
  for (std::size_t i = 1; i < a.size(); ++i) largestStep = std::max(largestStep, std::abs(a[i] - a[i - 1]));
  EXPECT_LE(std::abs(a.front() - a.back()), largestStep);
}

}  // namespace
}  // namespace audio_test
