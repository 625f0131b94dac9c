// Test runner for windows, on the platform that ctest sets (offscreen).
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// The offscreen platform warns at every window it cannot size by hints; the warning
// says nothing about the program and would bury real output.
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
