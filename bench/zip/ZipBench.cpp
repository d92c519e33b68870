// CRC-32 over 64 MiB and the DEFLATE decoder over three kinds of data of 32 MiB each
// (text like a project's scripts, random bytes as in already compressed files, long runs),
// compressed by zlib at its default level. Each iteration runs ours and zlib's on the same
// buffers, alternating which goes first; the counters give both throughputs in MB/s and
// the ratio ours/zlib (above 1 means we are faster).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <string>

#include "SampleData.h"
#include "ZlibDeflate.h"
#include "zip/CRC32.h"
#include "zip/Inflate.h"

namespace {

using namespace zemblo;
using zemblo::test::MakeSample;
using zemblo::test::TSampleKind;
using zemblo::test::ZlibDeflate;
using Clock = std::chrono::steady_clock;

constexpr size_t kCrcSize = size_t{64} << 20;
constexpr size_t kInflateSize = size_t{32} << 20;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Times `ours` and `peer` once per iteration each and reports both.
template <class Ours, class Peer>
void RunPair(benchmark::State& state, size_t bytes, Ours ours, Peer peer) {
  double oursTime = 0, peerTime = 0;
  bool oursFirst = true;
  for (auto _ : state) {
    double t[2];
    for (int k = 0; k < 2; ++k) {
      bool runOurs = (k == 0) == oursFirst;
      auto start = Clock::now();
      if (runOurs) ours();
      else peer();
      t[runOurs ? 0 : 1] = Seconds(Clock::now() - start);
    }
    oursFirst = !oursFirst;
    oursTime += t[0];
    peerTime += t[1];
    state.SetIterationTime(t[0]);
  }
  double n = static_cast<double>(state.iterations()) * static_cast<double>(bytes) / 1e6;
  state.counters["ours_MBps"] = n / oursTime;
  state.counters["zlib_MBps"] = n / peerTime;
  state.counters["ratio"] = peerTime / oursTime;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_CRC32(benchmark::State& state) {
  static const std::string data = MakeSample(TSampleKind::Random, kCrcSize, 3);
  uint32_t a = 0, b = 0;
  RunPair(
      state, data.size(),
      [&] {
        TCRC32 c;
        c.Update(data.data(), static_cast<int64_t>(data.size()));
        a = c.Value();
        benchmark::DoNotOptimize(a);
      },
      [&] {
        b = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        benchmark::DoNotOptimize(b);
      });
  if (a != b) state.SkipWithError("checksums differ");
}

void BM_Inflate(benchmark::State& state, TSampleKind kind) {
  const std::string data = MakeSample(kind, kInflateSize, 4);
  const std::string packed = ZlibDeflate(data, Z_DEFAULT_COMPRESSION);
  std::string ours(data.size(), '\0'), peer(data.size(), '\0');
  RunPair(
      state, data.size(),
      [&] {
        TInflater().Inflate(packed.data(), ours.data(), static_cast<int64_t>(packed.size()),
                            static_cast<int64_t>(ours.size()));
        benchmark::ClobberMemory();
      },
      [&] {
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
        z.avail_in = static_cast<uInt>(packed.size());
        z.next_out = reinterpret_cast<Bytef*>(ours.data());
        z.avail_out = static_cast<uInt>(peer.size());
        inflate(&z, Z_FINISH);
        inflateEnd(&z);
        benchmark::ClobberMemory();
      });
  if (ours != data) state.SkipWithError("decoded bytes differ");
  state.counters["packed_pct"] = 100.0 * static_cast<double>(packed.size()) / static_cast<double>(data.size());
}

}  // namespace

BENCHMARK(BM_CRC32)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_Inflate, text, TSampleKind::Text)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_Inflate, random, TSampleKind::Random)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_Inflate, runs, TSampleKind::Runs)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

BENCHMARK_MAIN();
