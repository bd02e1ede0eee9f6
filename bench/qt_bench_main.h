// The main of a benchmark program with windows: one QApplication, offscreen unless a platform is
// chosen (QT_QPA_PLATFORM=xcb under Xvfb measures a real X display).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

inline int RunWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
