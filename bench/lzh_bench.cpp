// Encode and decode throughput of the LZH codec over three kinds of input:
//   text        the licence texts on this machine (up to 4 MB)
//   executable  the database server program when installed, else the built setup
//   noise       4 MB that no match shortens
// The figure to read is the MB_per_s counter (1 MB = 1,000,000 bytes).
#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "foundation/stream.h"
#include "payload/lzh_codec.h"
#include "payload/whole_file.h"

namespace tavo {
namespace {

constexpr std::size_t kTextLimit = 4'000'000;
constexpr std::size_t kNoiseSize = 4'000'000;

std::vector<std::uint8_t> LicenceTexts() {
    std::vector<std::string> files;
    for (const char* dir : {"/usr/share/common-licenses", "/usr/share/doc"}) {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            const auto name = it->path().filename().string();
            if (it->is_regular_file(ec) &&
                (std::string(dir).ends_with("licenses") || name == "copyright"))
                files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::uint8_t> text;
    for (const auto& file : files) {
        if (text.size() >= kTextLimit) break;
        if (auto bytes = ReadWholeFile(file)) text.insert(text.end(), bytes->begin(), bytes->end());
    }
    text.resize(std::min(text.size(), kTextLimit));
    return text;
}

std::vector<std::uint8_t> Executable() {
    for (const char* path : {"/usr/sbin/mariadbd", TAVO_SETUP_PATH})
        if (auto bytes = ReadWholeFile(path)) return *bytes;
    return {};
}

std::vector<std::uint8_t> Noise() {
    std::mt19937_64 random(42);
    std::vector<std::uint8_t> bytes(kNoiseSize);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

enum class Input { Text, Executable, Noise };

const std::vector<std::uint8_t>& Data(Input input) {
    static const std::vector<std::uint8_t> text = LicenceTexts();
    static const std::vector<std::uint8_t> executable = Executable();
    static const std::vector<std::uint8_t> noise = Noise();
    return input == Input::Text ? text : input == Input::Executable ? executable : noise;
}

const std::vector<std::uint8_t>& Encoded(Input input) {
    static std::vector<std::uint8_t> cache[3];
    auto& encoded = cache[static_cast<int>(input)];
    if (encoded.empty()) {
        TMemoryStream in(Data(input)), out;
        LzhEncode(in, out);
        encoded = out.TakeBytes();
    }
    return encoded;
}

void Report(benchmark::State& state, std::size_t bytes, std::size_t packed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["input_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["packed_pct"] = bytes ? 100.0 * static_cast<double>(packed) / bytes : 0;
}

void BM_LzhEncode(benchmark::State& state, Input input) {
    const auto& data = Data(input);
    if (data.empty()) return state.SkipWithError("no input on this machine");
    std::size_t packed = 0;
    for (auto _ : state) {
        TMemoryStream in(data), out;
        LzhEncode(in, out);
        packed = static_cast<std::size_t>(out.Size());
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    Report(state, data.size(), packed);
}

void BM_LzhDecode(benchmark::State& state, Input input) {
    const auto& data = Data(input);
    if (data.empty()) return state.SkipWithError("no input on this machine");
    const auto& encoded = Encoded(input);
    for (auto _ : state) {
        TMemoryStream in(encoded), out;
        LzhDecode(in, out, static_cast<std::int64_t>(data.size()));
        if (out.Bytes() != data) return state.SkipWithError("decoded bytes differ");
    }
    Report(state, data.size(), encoded.size());
}

BENCHMARK_CAPTURE(BM_LzhEncode, text, Input::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LzhEncode, executable, Input::Executable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LzhEncode, noise, Input::Noise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LzhDecode, text, Input::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LzhDecode, executable, Input::Executable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LzhDecode, noise, Input::Noise)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavo

BENCHMARK_MAIN();
