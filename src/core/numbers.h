#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// How numbers are read from and written to the program's text files.
class Numbers
{
public:
    // The leading decimal number of a text: blanks skipped, a sign, digits, one decimal point,
    // an exponent; reading stops at the first character that cannot continue it. No number is 0.
    static double leadingNumber(QStringView text);

    // The nearest 16-bit integer (a half goes to the even neighbour); nothing when out of range.
    static std::optional<qint16> toInt16(double value);

    // The nearest integer, halves to even; nothing when not finite or outside 32-bit range.
    static std::optional<int> toInt32(double value);

    // An integer as the files keep it: a blank before a non-negative value (" 5", "-5").
    static QString formatInteger(qint64 value);

    // A number with its fraction, written the same way (" 1234.5", "-7", " 0").
    static QString formatNumber(double value);
};
