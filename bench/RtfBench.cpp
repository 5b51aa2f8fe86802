// Writing and reading a long report as rich text and as plain text: 5000 lines, a bold red
// heading every 50 lines, accented characters.

#include "datasheet/Rtf.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ploq;

constexpr int kLines = 5000;

TextDocument LongReport()
{
    TextDocument document;
    for (int line = 0; line < kLines; ++line) {
        TextParagraph& paragraph = document.paragraphs.emplace_back();
        if (line % 50 == 0) {
            paragraph.append("14:05 - Set " + std::to_string(line / 50), true, clRed);
            continue;
        }
        paragraph.append(std::to_string(line) + "\tS0\t045/32\tCr\xEAte d\xE9j\xE0 vue\t{n\xB0 7}");
    }
    return document;
}

void BM_WriteRtf(benchmark::State& state)
{
    const TextDocument document = LongReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRtf(document));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State& state)
{
    const std::string rtf = WriteRtf(LongReport());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRtf(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_ReadPlainText(benchmark::State& state)
{
    const std::string text = WritePlainText(LongReport());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPlainText(text));
}
BENCHMARK(BM_ReadPlainText)->Unit(benchmark::kMillisecond);

} // namespace
