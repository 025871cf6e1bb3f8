#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport {

inline std::string Le16(std::uint32_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

// A RIFF chunk: id, size (the body's own unless given), body and a pad byte after an odd body.
inline std::string Chunk(const std::string& id, const std::string& body, long long declaredSize = -1) {
  const auto size = static_cast<std::uint32_t>(declaredSize < 0 ? body.size() : declaredSize);
  return id + Le32(size) + body + (body.size() % 2 == 1 ? std::string(1, '\0') : std::string());
}

inline std::string Riff(const std::string& form, const std::string& chunks, const std::string& id = "RIFF") {
  return Chunk(id, form + chunks);
}

// The 16 bytes of a format chunk.
inline std::string FormatBody(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits) {
  const std::uint32_t align = channels * bits / 8;
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

inline std::string PcmWave(const std::string& samples, std::uint32_t channels = 1, std::uint32_t rate = 22050,
                           std::uint32_t bits = 16) {
  return Riff("WAVE", Chunk("fmt ", FormatBody(1, channels, rate, bits)) + Chunk("data", samples));
}

// Bytes that differ from one position to the next, so that a misplaced byte shows.
inline std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

// A 16-bit mono tone of the given length.
inline std::string ToneWave(unsigned milliseconds, std::uint32_t rate = 22050) {
  const std::size_t frames = static_cast<std::size_t>(rate) * milliseconds / 1000;
  std::string samples;
  for (std::size_t i = 0; i < frames; ++i) {
    const double value = 8000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * static_cast<double>(i) / rate);
    samples += Le16(static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF);
  }
  return PcmWave(samples, 1, rate, 16);
}

}  // namespace TestSupport
