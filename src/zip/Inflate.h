// Decoder for raw DEFLATE streams (RFC 1951, no zlib or gzip wrapper), as ZIP entries of
// method 8 hold them.
#pragma once

#include <cstdint>

namespace zemblo {

// Output is produced through a 32 KiB window and handed over in whole windows: each time
// 32,768 bytes are complete they go to the destination, and when the last block ends the
// rest follows. A window that does not fit in the room left is dropped whole, and nothing
// after it is delivered, so the destination only ever holds a correct prefix of the output
// followed by whatever the caller put there before.
//
// Damaged input ends the decode quietly: bytes not yet handed over are lost, everything
// delivered before stays. Past the end of the input the decoder reads zero bytes, and it
// stops at the latest once the destination can take nothing more. A distance reaching
// back before the first output byte copies zeros.
class TInflater {
 public:
  // Where the decode stands; set by Inflate and left where it ended. Bytes the decoder
  // took into its bit buffer count as read.
  const uint8_t* InPtr = nullptr;
  uint8_t* OutPtr = nullptr;
  int64_t InLeft = 0;
  int64_t OutLeft = 0;

  // Never reads more than `sourceLength` bytes of `source` nor writes more than
  // `destLength` bytes of `dest`; negative lengths count as 0.
  void Inflate(const void* source, void* dest, int64_t sourceLength, int64_t destLength);
};

}  // namespace zemblo
