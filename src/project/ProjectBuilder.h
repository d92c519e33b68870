// Turns the open project into a program: a copy of the loader with the project's icon
// written over the loader's own and the payload naming the project folder appended, plus a
// copy of the PHP runtime library when the program folder has one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Errors.h"
#include "platform/Stream.h"

namespace zemblo {

class TKXProject;

// "Cannot use the icon "<path>". <what is wrong with it>"
class EInvalidIcon : public Exception {
 public:
  EInvalidIcon(const std::string& path, const std::string& reason)
      : Exception("Cannot use the icon \"" + path + "\". " + reason) {}
};

// The 48 bytes that lie 3,010 bytes into the loader's own 32 by 32, 24-bit icon pixels
// (62 bytes before their end); the builder finds the icon by them.
extern const std::array<uint8_t, 48> kIconPattern;
inline constexpr int64_t kIconPatternOffset = 3010;
inline constexpr int kIconSide = 32;
inline constexpr int64_t kIconPixelBytes = kIconSide * kIconSide * 3;   // 3,072
inline constexpr int64_t kIconMaskBytes = kIconSide * kIconSide / 8;    // 128
// The search looks at this many blocks of this size, counted back from the end of the file.
inline constexpr int64_t kIconBlockSize = 4096;
inline constexpr int kIconBlocks = 255;

// Where the loader and the runtime library lie in the program folder.
std::string LoaderFileName();
std::string RuntimeLibraryName();  // "php5ts.dll"; absent on Linux, where libphp is a system library

class TProjectBuilder {
 public:
  // Writes P + "exe/" + "Build.ExeName", copies the runtime beside it, then raises
  // "Version.Build" in the project's store (the project file is written at its next save).
  // Errors: EFCreateError when the output cannot be created (also for an empty or
  // folder-naming "Build.ExeName"), EFOpenError for a missing loader, EInvalidIcon for an
  // "appicon.bmp" that is not a bitmap we can read; the counter then stays as it was.
  void Build(TKXProject& project);

  // Writes the project's icon over the loader's in `output` (which holds exactly the loader
  // copy) when "appicon.bmp" exists and the pattern is found.
  void PatchIcon(TStream& output);
  // The archive, its length and the marker.
  std::unique_ptr<TMemoryStream> MakePayload();
  // The archive alone.
  std::unique_ptr<TMemoryStream> MakeProjectZip();

  // The output executable: P + "exe" + PathDelim + "Build.ExeName".
  static std::string ExeFileName(TKXProject& project);

 private:
  TKXProject* project_ = nullptr;  // not owned; set by Build
  std::string ProjectFolder();
};

// The file offset of the icon pixels in `file`: the pattern nearest to the start of the file
// within the last 255 blocks of 4,096 bytes, less 3,010; -1 when there is none (or it would
// lie before the start).
int64_t FindIconOffset(TStream& file);

// The 3,072 pixel bytes of a 32 by 32, 24-bit icon made from a .bmp file: bottom row first,
// each pixel blue, green, red; a larger image is cut to its top-left 32 by 32 pixels, a
// smaller one is padded with black. Raises EInvalidBitmap.
std::string IconPixelsFromBitmap(const std::string& bmpBytes);

}  // namespace zemblo
