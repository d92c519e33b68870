// The CRC-32 of ZIP and PNG (reflected polynomial 0xEDB88320, register preset to all ones,
// result inverted), stored by the ZIP writer in every entry it adds.
#pragma once

#include <array>
#include <cstdint>

namespace zemblo {

class TStream;

class TCRC32 {
 public:
  TCRC32() = default;

  void Reset() { reg_ = 0xFFFFFFFFu; }
  // Feeds `length` bytes; a length of 0 or less changes nothing.
  void Update(const void* data, int64_t length);
  // The register inverted; the register itself is kept, so Update may go on afterwards.
  uint32_t Value() const { return ~reg_; }
  // Feeds the whole stream from its start (wherever it was positioned) in chunks of at most
  // 32,768 bytes and leaves it at its end. Does not reset first.
  void UpdateStream(TStream& stream);

  // The byte-at-a-time table: entry n is n put through eight shift-and-XOR steps.
  static const std::array<uint32_t, 256>& Table();

 private:
  uint32_t reg_ = 0xFFFFFFFFu;
};

}  // namespace zemblo
