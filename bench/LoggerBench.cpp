// How much one log line costs: a time stamp and a message through the file device.
#include "SLoger.h"
#include "SOutputDeviceFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

static void LogLineToFile(benchmark::State& state) {
  const std::string path = "/tmp/korvex-bench-log.txt";
  {
    SCore::SLoger logger(boost::shared_ptr<SCore::SOutputDevice>(
        new SCore::SOutputDeviceFile(std::wstring(path.begin(), path.end()).c_str())));
    for (auto _ : state) logger << SCore::GetTimeStamp() << " SD3D9RenderDevice TestCooperativeLevel device lost\n";
  }
  std::remove(path.c_str());
}
BENCHMARK(LogLineToFile);

BENCHMARK_MAIN();
