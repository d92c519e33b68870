#include "RunLog.h"

#include <cstdio>
#include <ctime>

#include "platform/Errors.h"
#include "platform/Stream.h"

namespace zemblo {

TRunLog::TRunLog() = default;
TRunLog::~TRunLog() = default;

bool TRunLog::Open(const std::string& path) {
  try {
    file_ = std::make_unique<TFileStream>(path, TFileStream::fmCreate);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    file_.reset();
  }
  atLineStart_ = true;
  return file_ != nullptr;
}

void TRunLog::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  if (file_) {
    try {
      file_->WriteString(bytes);
    } catch (const Exception&) {
      // A full disk must not end the program; what cannot be logged goes to standard error.
      file_.reset();
    }
  }
  if (!file_) std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  atLineStart_ = bytes.back() == '\n';
}

void TRunLog::Line(std::string_view text) {
  std::string line;
  if (!atLineStart_) line += '\n';
  line += text;
  if (line.empty() || line.back() != '\n') line += '\n';
  Write(line);
}

std::string TimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

}  // namespace zemblo
