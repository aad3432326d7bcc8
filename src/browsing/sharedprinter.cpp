#include "sharedprinter.h"

#include <QPrinter>

SharedPrinter::SharedPrinter() = default;

SharedPrinter::~SharedPrinter() = default;

QPrinter &SharedPrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}
