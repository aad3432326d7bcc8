#pragma once

#include <QStringList>

class QVariant;

// Which links of a document a reading keeps, compared on the lower-cased address: those that
// begin with one of the prefixes (any, when there are none) and contain none of the excluded
// texts, in document order, up to the limit (0: no limit).
struct LinkFilter
{
    QStringList prefixes;
    QStringList excluded;
    int limit = 0;

    // The script that walks the document's links and answers with those kept.
    QString walkScript() const;
    // The addresses in the walk's answer.
    static QStringList kept(const QVariant &answer);
};
