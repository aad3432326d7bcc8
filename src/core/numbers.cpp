#include "numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

double Numbers::leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toString().toDouble(&ok);
    return ok ? value : 0.0;
}

template<typename Int>
static std::optional<Int> nearestInteger(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

std::optional<qint16> Numbers::toInt16(double value) { return nearestInteger<qint16>(value); }

std::optional<int> Numbers::toInt32(double value) { return nearestInteger<int>(value); }

QString Numbers::formatInteger(qint64 value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

QString Numbers::formatNumber(double value)
{
    // The shortest digits that read back as the same number: a value read and written again
    // is unchanged.
    const QString digits = QString::number(value, 'g', QLocale::FloatingPointShortest);
    return value < 0 ? digits : u' ' + digits;
}
