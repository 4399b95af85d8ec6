// Reading: a whole file's bytes decoded and cut into lines, for each of the three readers.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "corpus.h"
#include "textio/text_reader.h"

namespace brimwell::bench {
namespace {

enum class Encoding { Ansi, Utf8Mark, Utf16 };

std::string fileBytes(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8Mark:
        return withUtf8Mark(microText());
    case Encoding::Utf16:
        return toUtf16LeWithMark(microText());
    case Encoding::Ansi:
        break;
    }
    return microText();
}

void BM_linesFromFileBytes(benchmark::State& state, Encoding encoding)
{
    const std::string bytes = fileBytes(encoding);
    for (auto _ : state) {
        LineArray lines = linesFromFileBytes(bytes);
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(BM_linesFromFileBytes, ansi, Encoding::Ansi);
BENCHMARK_CAPTURE(BM_linesFromFileBytes, utf8_mark, Encoding::Utf8Mark);
BENCHMARK_CAPTURE(BM_linesFromFileBytes, utf16_le, Encoding::Utf16);

void BM_decodeFileBytes(benchmark::State& state, Encoding encoding)
{
    const std::string bytes = fileBytes(encoding);
    for (auto _ : state) {
        std::string text = decodeFileBytes(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(BM_decodeFileBytes, ansi, Encoding::Ansi);
BENCHMARK_CAPTURE(BM_decodeFileBytes, utf8_mark, Encoding::Utf8Mark);
BENCHMARK_CAPTURE(BM_decodeFileBytes, utf16_le, Encoding::Utf16);

}  // namespace
}  // namespace brimwell::bench
