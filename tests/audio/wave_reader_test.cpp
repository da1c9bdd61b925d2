#include "audio/wave_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "audio/sound_effect_table.h"
#include "wave_files.h"

namespace audio_test {
namespace {

using audio::WaveReader;
using platform::kEFail;
using platform::kOk;

class WaveReading : public ::testing::Test {
 protected:
  void SetUp() override { dir = ScratchFolder("reader"); }
  std::string File(const WaveBytes& w) { return Save(dir / "t.wav", w.bytes); }
  std::filesystem::path dir;
  WaveReader reader;
};

TEST_F(WaveReading, ReadsTheFormatAndTheDataChunkInPieces) {
  // A chunk before "fmt " and one of odd length before "data" are skipped,
  // the odd one with its pad byte.
  WaveBytes w = Riff(4 + 12 + 24 + 10 + 8 + 6);
  w.Id("LIST").U32(4).Id("INFO");
  w.Id("fmt ").U32(16).Pcm(1, 1, 11025, 8);
  w.Id("junk").U32(1).Fill(2, 0);
  w.Id("data").U32(6).Fill(3, 1).Fill(3, 2);
  ASSERT_EQ(reader.Open(File(w)), kOk) << reader.Error();
  const auto* f = reader.Format();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->formatTag, 1);
  EXPECT_EQ(f->samplesPerSec, 11025u);
  EXPECT_EQ(f->bitsPerSample, 8);
  EXPECT_EQ(f->cbSize, 0);
  EXPECT_EQ(reader.FormatBlockSize(), 18u);
  EXPECT_EQ(reader.DataSize(), 6u);

  std::vector<std::uint8_t> out(8);
  EXPECT_EQ(reader.ReadData(4, out.data()), 4u);
  EXPECT_EQ(reader.ReadData(8, out.data() + 4), 2u) << "no further than the chunk";
  EXPECT_EQ(reader.ReadData(8, out.data() + 6), 0u);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 1, 1, 2, 2, 2, 0, 0}));
}

TEST_F(WaveReading, OtherFormatsKeepTheirExtraBytes) {
  WaveBytes w = Riff(4 + 8 + 22 + 8 + 4);
  w.Id("fmt ").U32(22).Pcm(2).U16(4).Fill(4, 0xAB);
  w.Id("data").U32(4).Fill(4, 0);
  ASSERT_EQ(reader.Open(File(w)), kOk) << reader.Error();
  EXPECT_EQ(reader.Format()->cbSize, 4);
  EXPECT_EQ(reader.FormatBlockSize(), 18u + 4u);
  EXPECT_EQ(reader.Format()->extra, std::vector<std::uint8_t>(4, 0xAB));

  // Reopening drops the old block first.
  ASSERT_EQ(reader.Open(File(GoodWave(2))), kOk);
  EXPECT_EQ(reader.FormatBlockSize(), 18u);
}

// Each broken file is refused with a reason; none is read past its end.
TEST_F(WaveReading, RefusesBrokenAndLyingFiles) {
  WaveBytes truncated = GoodWave(100), lying = GoodWave(100);
  truncated.bytes.resize(truncated.bytes.size() - 50);
  lying.bytes[40] = 0xFF;  // the data chunk's size, now far beyond the file
  lying.bytes[43] = 0x7F;
  const std::pair<const char*, WaveBytes> cases[] = {
      {"empty", WaveBytes{}},
      {"not RIFF", WaveBytes{}.Id("RIFX").U32(4).Id("WAVE")},
      {"not WAVE", WaveBytes{}.Id("RIFF").U32(4).Id("AVI ")},
      {"RIFF longer than the file", Riff(1000).Id("fmt ").U32(16).Pcm()},
      {"RIFF size 0xFFFFFFFF", Riff(0xFFFFFFFF)},
      {"no fmt", Riff(4 + 8 + 2).Id("data").U32(2).Fill(2, 0)},
      {"fmt of 14 bytes", Riff(4 + 8 + 14 + 8).Id("fmt ").U32(14).Fill(14, 1).Id("data").U32(0)},
      {"fmt running past RIFF", Riff(4 + 8 + 16).Id("fmt ").U32(0x7FFFFFFF).Pcm()},
      {"extra size beyond the chunk", Riff(4 + 8 + 18 + 8).Id("fmt ").U32(18).Pcm(2).U16(60000).Id("data").U32(0)},
      {"no extra-size field", Riff(4 + 8 + 16 + 8).Id("fmt ").U32(16).Pcm(2).Id("data").U32(0)},
      {"no channels", Riff(4 + 8 + 16 + 8).Id("fmt ").U32(16).Pcm(1, 0).Id("data").U32(0)},
      {"no data", Riff(4 + 8 + 16).Id("fmt ").U32(16).Pcm()},
      {"data cut short", truncated},
      {"data size lies", lying},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    EXPECT_EQ(reader.Open(File(bytes)), kEFail);
    EXPECT_FALSE(reader.Error().empty());
    EXPECT_EQ(reader.Format(), nullptr);
    std::uint8_t sink[4];
    EXPECT_EQ(reader.ReadData(4, sink), 0u) << "the file is closed";
  }
  EXPECT_EQ(reader.Open((dir / "missing.wav").string()), kEFail);
  EXPECT_EQ(reader.Open(dir.string()), kEFail) << "a folder";
  ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
  EXPECT_EQ(reader.Open((dir / "pipe.wav").string()), kEFail) << "a pipe, without waiting for a writer";
}

TEST_F(WaveReading, RefusesADataChunkTooLargeForAnEffect) {
  const std::uint32_t big = WaveReader::kMaxDataBytes + 2;
  ASSERT_EQ(reader.Open(File(GoodWave(big, 0))), kEFail);
  EXPECT_NE(reader.Error().find("too large"), std::string::npos) << reader.Error();
}

}  // namespace
}  // namespace audio_test
