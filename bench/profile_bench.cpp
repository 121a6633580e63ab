// The five SETUP.INF lookups of the launcher on a 1 MB file whose sections come last, through
// GetPrivateProfileStringA (file read included) and through the reader alone.
#include "kernel/paths.h"
#include "kernel/profile.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const char* const kLookups[][2] = {
    {"Main", "ProductName"}, {"Main", "MIPS"},     {"Main", "SH3"},
    {"Main", "ARM"},         {"Startup", "Title"},
};

std::string MakeInf() {
    std::string text;
    for (int section = 0; text.size() < 1000000; ++section) {
        text += "[Filler" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key)
            text += "Key" + std::to_string(key) + " = some value of the filler section\r\n";
    }
    text += "[Main]\r\nProductName=Tavro\r\nARM=ARM\\Tavro.ini\r\nMIPS=MIPS\\Tavro.ini\r\n"
            "SH3=SH3\\Tavro.ini\r\n[Startup]\r\nTitle=Tavro 2.0\r\n";
    return text;
}

void BM_ProfileLookups(benchmark::State& state) {
    const std::string text = MakeInf();
    for (auto _ : state)
        for (const auto& lookup : kLookups) {
            std::string_view value;
            benchmark::DoNotOptimize(w32::profile::Lookup(text, lookup[0], lookup[1], &value));
        }
    state.SetBytesProcessed(int64_t(state.iterations()) * 5 * int64_t(text.size()));
}
BENCHMARK(BM_ProfileLookups)->Unit(benchmark::kMillisecond);

void BM_GetPrivateProfileString(benchmark::State& state) {
    char dir[] = "/tmp/w32bench-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    const std::string text = MakeInf();
    std::ofstream(std::string(dir) + "/SETUP.INF", std::ios::binary) << text;
    w32::paths::LoadDrives((std::string("D=") + dir).c_str(), nullptr);
    for (auto _ : state)
        for (const auto& lookup : kLookups) {
            char value[256];
            benchmark::DoNotOptimize(GetPrivateProfileStringA(lookup[0], lookup[1], "", value,
                                                              sizeof(value), "D:\\SETUP.INF"));
        }
    state.SetBytesProcessed(int64_t(state.iterations()) * 5 * int64_t(text.size()));
    std::remove((std::string(dir) + "/SETUP.INF").c_str());
    rmdir(dir);
}
BENCHMARK(BM_GetPrivateProfileString)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
