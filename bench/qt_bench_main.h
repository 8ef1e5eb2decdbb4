#pragma once
// The entry of a benchmark that needs the application object: headless, and
// a message box ends the run instead of waiting for a click.

#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "platform/Application.h"
#include "platform/Dialogs.h"

inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    platform::SetMessageBoxHook([](const platform::MessageBoxRequest& r) -> int {
        std::fprintf(stderr, "message box: %s\n", qPrintable(r.text));
        std::exit(2);
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
