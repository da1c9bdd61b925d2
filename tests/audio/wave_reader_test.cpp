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
  WaveBytes w;
  // A chunk before "fmt " and one of odd length before "data" are skipped,
  // the odd one with its pad byte.
  w.Id("RIFF").U32(4 + 12 + 24 + 10 + 8 + 6).Id("WAVE");
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

  std::uint8_t out[8] = {};
  EXPECT_EQ(reader.ReadData(4, out), 4u);
  EXPECT_EQ(reader.ReadData(8, out + 4), 2u) << "no further than the chunk";
  EXPECT_EQ(reader.ReadData(8, out + 6), 0u);
  const std::uint8_t expected[8] = {1, 1, 1, 2, 2, 2, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(out, out + 8), std::vector<std::uint8_t>(expected, expected + 8));
}

TEST_F(WaveReading, OtherFormatsKeepTheirExtraBytes) {
  WaveBytes w;
  w.Id("RIFF").U32(4 + 8 + 22 + 8 + 4).Id("WAVE");
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
  struct Case {
    const char* what;
    WaveBytes bytes;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, WaveBytes w) { cases.push_back({what, w}); };
  add("empty", WaveBytes{});
  add("not RIFF", WaveBytes{}.Id("RIFX").U32(4).Id("WAVE"));
  add("not WAVE", WaveBytes{}.Id("RIFF").U32(4).Id("AVI "));
  add("RIFF longer than the file", WaveBytes{}.Id("RIFF").U32(1000).Id("WAVE").Id("fmt ").U32(16).Pcm());
  add("RIFF size 0xFFFFFFFF", WaveBytes{}.Id("RIFF").U32(0xFFFFFFFF).Id("WAVE"));
  add("no fmt", WaveBytes{}.Id("RIFF").U32(4 + 8 + 2).Id("WAVE").Id("data").U32(2).Fill(2, 0));
  add("fmt of 14 bytes",
      WaveBytes{}.Id("RIFF").U32(4 + 8 + 14 + 8).Id("WAVE").Id("fmt ").U32(14).Fill(14, 1).Id("data").U32(0));
  add("fmt running past RIFF",
      WaveBytes{}.Id("RIFF").U32(4 + 8 + 16).Id("WAVE").Id("fmt ").U32(0x7FFFFFFF).Pcm());
  add("extra size beyond the chunk",
      WaveBytes{}.Id("RIFF").U32(4 + 8 + 18 + 8).Id("WAVE").Id("fmt ").U32(18).Pcm(2).U16(60000).Id("data").U32(0));
  add("no extra-size field", WaveBytes{}.Id("RIFF").U32(4 + 8 + 16 + 8).Id("WAVE").Id("fmt ").U32(16).Pcm(2).Id("data").U32(0));
  add("no channels", WaveBytes{}.Id("RIFF").U32(4 + 8 + 16 + 8).Id("WAVE").Id("fmt ").U32(16).Pcm(1, 0).Id("data").U32(0));
  add("no data", WaveBytes{}.Id("RIFF").U32(4 + 8 + 16).Id("WAVE").Id("fmt ").U32(16).Pcm());
  WaveBytes truncated = GoodWave(100);
  truncated.bytes.resize(truncated.bytes.size() - 50);
  add("data cut short", truncated);
  WaveBytes lying = GoodWave(100);
  lying.bytes[40] = 0xFF;  // the data chunk's size, now far beyond the file
  lying.bytes[43] = 0x7F;
  add("data size lies", lying);

  for (const Case& c : cases) {
    EXPECT_EQ(reader.Open(File(c.bytes)), kEFail) << c.what;
    EXPECT_FALSE(reader.Error().empty()) << c.what;
    EXPECT_EQ(reader.Format(), nullptr) << c.what;
    std::uint8_t sink[4];
    EXPECT_EQ(reader.ReadData(4, sink), 0u) << c.what << ": the file is closed";
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

TEST(EffectFiles, EveryBuiltEffectIsAShortMono16BitSound) {
  for (const audio::EffectRow& row : audio::kEffectTable) {
    WaveReader reader;
    const std::string path = std::string(ZARN_RUN_DIR) + "/" + row.file;
    ASSERT_EQ(reader.Open(path), kOk) << reader.Error();
    EXPECT_EQ(reader.Format()->formatTag, 1) << row.file;
    EXPECT_EQ(reader.Format()->channels, 1) << row.file;
    EXPECT_EQ(reader.Format()->bitsPerSample, 16) << row.file;
    EXPECT_GT(reader.DataSize(), 0u) << row.file;
    EXPECT_LE(reader.DataSize(), 22050u * 2 * 2) << row.file << ": at most two seconds";
  }
}

}  // namespace
}  // namespace audio_test
