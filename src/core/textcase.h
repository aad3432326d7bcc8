#pragma once

#include <QString>

// Proper case: the first letter of each space-separated word upper case, every other letter lower.
QString properCase(QStringView text);
