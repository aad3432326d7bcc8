#pragma once

#include <QString>

// How a typed address is completed and how a tab caption is made from an address.
namespace AddressRules {

// "http://" goes in front of a text that begins with none of "https://", "ftp://", "http://",
// "file://", "view-source:" (compared without regard to case); nothing else is added or changed.
QString completeAddress(const QString &typed);

// "http://www.alpha.beta/gamma" gives "Alpha"; "https://news.alpha.beta/x" gives "News.alpha.beta".
void TabCaptionFromAddress(QString &address);

} // namespace AddressRules
