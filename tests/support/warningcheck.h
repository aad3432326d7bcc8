#pragma once

// Every Qt warning that a test did not announce with QTest::ignoreMessage fails the test function
// it arrives in, so that a broken connection or a layout fault cannot pass unnoticed.
class WarningCheck
{
public:
    // Call after QTest::qInit, which puts Qt Test's own message handler in place: the check sits
    // on top of it and arms Qt Test's fail-on-warning for each test function (Qt Test clears that
    // list after every function).
    static void install();
};
