// Test entry for the windows: a widget application on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests read the program's own texts: the program and quellin-cli they
    // start choose Japanese as a Japanese desktop does (a test of the English
    // texts says so in the settings or with --lang).
    qputenv("LANGUAGE", "ja");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
