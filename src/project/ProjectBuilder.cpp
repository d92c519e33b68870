#include "project/ProjectBuilder.h"

#include <algorithm>
#include <cstring>

#include "kernel/AppKernel.h"
#include "kernel/SysFuncs.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "project/BuildPayload.h"
#include "project/KXProject.h"
#include "window/Bitmap.h"

namespace zemblo {

// The loader carries these bytes once, in its icon block; nothing else in the loader may, or
// the search would patch the wrong place. This file is therefore never linked into it.
const std::array<uint8_t, 48> kIconPattern = {
    0x80, 0x80, 0xff, 0x6b, 0x6b, 0xff, 0x6b, 0x6b, 0xff, 0x6b, 0x6b, 0x57, 0x25, 0xff, 0x57, 0x25,
    0xff, 0x57, 0x25, 0xff, 0x73, 0xff, 0x48, 0x73, 0xff, 0x48, 0x73, 0xff, 0x48, 0x6b, 0xff, 0xff,
    0x6b, 0xff, 0xff, 0x6b, 0xff, 0xff, 0xff, 0xff, 0x48, 0xff, 0xff, 0x48, 0xff, 0xff, 0x48, 0xff};

std::string LoaderFileName() { return SystemFunctions->GetAppPath() + "loader" + PathDelim + "ZembloLdr.exe"; }
std::string RuntimeLibraryName() { return SystemFunctions->GetAppPath() + "loader" + PathDelim + "php5ts.dll"; }

std::string TProjectBuilder::ExeFileName(TKXProject& project) {
  return project.INI.GetValue("RunTime.PrjPath") + "exe" + PathDelim + project.INI.GetValue("Build.ExeName");
}

std::string TProjectBuilder::ProjectFolder() { return project_->INI.GetValue("RunTime.PrjPath"); }

void TProjectBuilder::Build(TKXProject& project) {
  project_ = &project;
  std::string folder = ProjectFolder();
  CreateDir(folder + "exe");  // usually there already

  // The program belongs in exe/: a name that climbs elsewhere would overwrite the project's
  // own files with the loader.
  std::string exeName = project.INI.GetValue("Build.ExeName");
  std::string exe = ExeFileName(project);
  if (exeName.empty()) throw EFCreateError(exe, "The project's option \"Produced exe-file\" is empty.");
  if (exeName == "." || exeName == ".." || std::any_of(exeName.begin(), exeName.end(), IsPathDelimiter))
    throw EFCreateError(exe, "The program's name must not name a folder.");

  {
    TFileStream output(exe, TFileStream::fmCreate);
    {
      TFileStream loader(LoaderFileName(), TFileStream::fmOpenRead);
      output.CopyFrom(loader, 0);
    }
    CopyPermissions(LoaderFileName(), exe);
    PatchIcon(output);
    std::unique_ptr<TMemoryStream> payload = MakePayload();
    output.Seek(0, TSeekOrigin::End);
    output.CopyFrom(*payload, 0);
  }

  if (FileExists(RuntimeLibraryName()))
    CopyFile(RuntimeLibraryName(), folder + "exe" + PathDelim + "php5ts.dll", false);

  project.INI.SetInt("Version.Build", project.INI.GetInt("Version.Build") + 1);
}

std::unique_ptr<TMemoryStream> TProjectBuilder::MakeProjectZip() { return zemblo::MakeProjectZip(ProjectFolder()); }

std::unique_ptr<TMemoryStream> TProjectBuilder::MakePayload() { return zemblo::MakePayload(ProjectFolder()); }

int64_t FindIconOffset(TStream& file) {
  int64_t size = file.Size();
  int64_t found = -1;
  std::string block(kIconBlockSize, '\0');
  for (int k = 1; k <= kIconBlocks; ++k) {
    int64_t start = size - k * kIconBlockSize;
    if (start < 0) break;
    file.SetPosition(start);
    file.ReadBuffer(block.data(), block.size());
    // A pattern that straddles two blocks is never found; the loader's icon does not.
    for (size_t pos = 0; pos + kIconPattern.size() <= block.size(); ++pos) {
      if (std::memcmp(block.data() + pos, kIconPattern.data(), kIconPattern.size()) == 0) {
        found = start + static_cast<int64_t>(pos) - kIconPatternOffset;  // later blocks lie nearer the start
        break;
      }
    }
  }
  return found < 0 ? -1 : found;
}

std::string IconPixelsFromBitmap(const std::string& bmpBytes) {
  TBitmapData image = DecodeBitmap(bmpBytes);
  std::string pixels;
  pixels.reserve(kIconPixelBytes);
  for (int y = kIconSide - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSide; ++x) {
      uint32_t p = (x < image.Width && y < image.Height) ? image.Pixel(x, y) : 0;
      pixels += static_cast<char>(p & 0xFF);          // blue
      pixels += static_cast<char>((p >> 8) & 0xFF);   // green
      pixels += static_cast<char>((p >> 16) & 0xFF);  // red
    }
  }
  return pixels;
}

void TProjectBuilder::PatchIcon(TStream& output) {
  std::string iconFile = ProjectFolder() + "appicon.bmp";
  if (!FileExists(iconFile)) return;
  int64_t at = FindIconOffset(output);
  if (at < 0) return;
  std::string block;
  try {
    block = IconPixelsFromBitmap(ReadFileBytes(iconFile));
  } catch (const EInvalidBitmap& e) {
    throw EInvalidIcon(iconFile, e.Message());
  }
  block.append(kIconMaskBytes, '\0');  // an all-zero mask: every pixel opaque
  output.SetPosition(at);
  output.WriteString(block);
}

}  // namespace zemblo
