// What one date and one time text cost, as the DATE and TIME objects ask
// for them at every refresh.
#include <benchmark/benchmark.h>

#include "platform/win32.h"

namespace {

void BM_DateFormat(benchmark::State& state)
{
    WCHAR text[64];
    for (auto _ : state)
        benchmark::DoNotOptimize(GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, TEXT("ddd dd.MM.yyyy"), text, 64));
}
BENCHMARK(BM_DateFormat)->Name("BM_DateFormat/picture:ddd_dd.MM.yyyy");

void BM_TimeFormat(benchmark::State& state)
{
    WCHAR text[64];
    for (auto _ : state)
        benchmark::DoNotOptimize(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, TEXT("HH:mm:ss"), text, 64));
}
BENCHMARK(BM_TimeFormat)->Name("BM_TimeFormat/picture:HH:mm:ss");

}  // namespace
