#include <QCoreApplication>

#include <gtest/gtest.h>

// The shell waits in Qt's event loop, so the tests run inside an application object.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
