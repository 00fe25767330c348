// main() of the test programs without widgets: the process takes the locale of its environment
// first, as the program does, so that a run under a comma-decimal locale tests what users get.
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
