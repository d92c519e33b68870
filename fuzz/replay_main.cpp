// Replays a fuzz corpus through the target's entry point without libFuzzer: every file named
// on the command line, or found below a folder named there, is fed once. A crash or a
// sanitizer report fails the test; the exit status is 0 otherwise.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static void Feed(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  size_t fed = 0;
  for (int i = 1; i < argc; ++i) {
    fs::path p(argv[i]);
    if (fs::is_directory(p)) {
      std::vector<fs::path> files;
      for (auto& e : fs::recursive_directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (auto& f : files) { Feed(f); ++fed; }
    } else if (fs::is_regular_file(p)) {
      Feed(p);
      ++fed;
    } else {
      std::fprintf(stderr, "no such corpus: %s\n", argv[i]);
      return 1;
    }
  }
  std::printf("replayed %zu inputs\n", fed);
  return fed ? 0 : 1;
}
