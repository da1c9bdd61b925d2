#include "midi_writer.h"

#include <algorithm>
#include <tuple>

namespace music_tool {

std::uint32_t Song::EndTick() const {
  std::uint32_t end = 0;
  for (const Track& t : tracks) end = std::max(end, t.endTick);
  return end;
}

namespace {

struct Event {
  std::uint32_t tick;
  int order;  // at the same tick: set-up, then note-offs, then note-ons
  std::vector<std::uint8_t> bytes;
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v);
  while (n-- > 0) out.push_back(static_cast<std::uint8_t>(groups[n] | (n ? 0x80 : 0)));
}

std::vector<std::uint8_t> Meta(int type, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> bytes{0xFF, static_cast<std::uint8_t>(type)};
  PutVarLen(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

std::vector<std::uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }

void PutChunk(std::vector<std::uint8_t>& out, std::vector<Event> events, std::uint32_t endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
  });
  std::vector<std::uint8_t> body;
  std::uint32_t at = 0;
  for (const Event& e : events) {
    PutVarLen(body, e.tick - at);
    at = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, endTick > at ? endTick - at : 0);
  const auto end = Meta(0x2F, {});
  body.insert(body.end(), end.begin(), end.end());
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  Put32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

std::vector<Event> TempoTrack(const Song& song) {
  const std::uint32_t micros = static_cast<std::uint32_t>(60000000 / std::max(song.tempo, 1));
  int unitPower = 0;
  while ((1 << unitPower) < song.meterUnit) ++unitPower;
  std::vector<Event> events;
  events.push_back({0, 0, Meta(0x03, Text(song.title))});
  events.push_back({0, 0,
                    Meta(0x51, {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                                static_cast<std::uint8_t>(micros)})});
  events.push_back(
      {0, 0, Meta(0x58, {static_cast<std::uint8_t>(song.meterBeats), static_cast<std::uint8_t>(unitPower), 24, 8})});
  return events;
}

std::vector<Event> PartTrack(const Track& track) {
  const std::uint8_t ch = static_cast<std::uint8_t>(track.channel & 0x0F);
  std::vector<Event> events;
  events.push_back({0, 0, Meta(0x03, Text(track.name))});
  if (track.program >= 0) events.push_back({0, 0, {static_cast<std::uint8_t>(0xC0 | ch), Byte(track.program)}});
  const std::uint8_t control = static_cast<std::uint8_t>(0xB0 | ch);
  events.push_back({0, 0, {control, 7, Byte(track.volume)}});
  events.push_back({0, 0, {control, 10, Byte(track.pan)}});
  events.push_back({0, 0, {control, 91, Byte(track.reverb)}});
  events.push_back({0, 0, {control, 93, Byte(track.chorus)}});
  for (const Note& n : track.notes) {
    events.push_back({n.tick, 2, {static_cast<std::uint8_t>(0x90 | ch), Byte(n.key), Byte(std::max(n.velocity, 1))}});
    events.push_back(
        {n.tick + std::max<std::uint32_t>(n.length, 1), 1, {static_cast<std::uint8_t>(0x80 | ch), Byte(n.key), 0}});
  }
  return events;
}

}  // namespace

std::vector<std::uint8_t> WriteMidiFile(const Song& song) {
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
  Put32(out, 6);
  const auto trackCount = static_cast<std::uint16_t>(song.tracks.size() + 1);
  out.insert(out.end(), {0, 1, static_cast<std::uint8_t>(trackCount >> 8), static_cast<std::uint8_t>(trackCount),
                         static_cast<std::uint8_t>(song.division >> 8), static_cast<std::uint8_t>(song.division)});
  const std::uint32_t end = song.EndTick();
  PutChunk(out, TempoTrack(song), end);
  for (const Track& track : song.tracks) PutChunk(out, PartTrack(track), end);
  return out;
}

}  // namespace music_tool
