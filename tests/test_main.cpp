// Test entry: a headless application object for every test program.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/Application.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
