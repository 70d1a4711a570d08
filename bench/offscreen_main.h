// The entry point of the window benchmarks: Qt on the offscreen platform
// unless another is asked for, the benchmarks, then the scratch folder the
// benchmarks made is removed.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <system_error>

namespace tarnwick::bench {

inline int RunOffscreenBenchmarks(int argc, char** argv, const std::filesystem::path& scratch)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return 0;
}

}  // namespace tarnwick::bench
