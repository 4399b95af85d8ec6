// The faithful reader over the micro-benchmark corpus: bytes to contacts, and the same
// text as UTF-16 (transcoded through ICU on the way).
#include <benchmark/benchmark.h>
#include <sstream>

#include "bench_support.h"
#include "corpus.h"
#include "vcard/reader.h"

namespace brimwell::bench {
namespace {

void BM_vcardReader(benchmark::State& state, bool utf16)
{
    const std::string bytes = utf16 ? toUtf16LeWithMark(microText()) : microText();
    std::size_t contacts = 0;
    for (auto _ : state) {
        std::istringstream in(bytes);
        vcard::VCardReader reader(in, "bench.vcf");
        vcard::Contact contact;
        contacts = 0;
        while (reader.next(contact))
            ++contacts;
        benchmark::DoNotOptimize(contacts);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["contacts"] = static_cast<double>(contacts);
}
BENCHMARK_CAPTURE(BM_vcardReader, utf8, false);
BENCHMARK_CAPTURE(BM_vcardReader, utf16_le, true);

}  // namespace
}  // namespace brimwell::bench
