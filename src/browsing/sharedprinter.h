#pragma once

#include <memory>

class QPrinter;

// The printer every tab prints with, so that a page setup holds for all of them. It is made at its
// first use: making one loads the desktop's print system, which the start of the program does not need.
class SharedPrinter
{
public:
    SharedPrinter();
    ~SharedPrinter();
    SharedPrinter(const SharedPrinter &) = delete;
    SharedPrinter &operator=(const SharedPrinter &) = delete;

    QPrinter &printer();

private:
    std::unique_ptr<QPrinter> m_printer;
};
