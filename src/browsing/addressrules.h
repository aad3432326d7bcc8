#pragma once

#include <QString>

// How a typed address is completed and how a tab caption is made from an address.
namespace AddressRules {

// "http://" goes in front of a text that begins with none of "https://", "ftp://", "http://",
// "file://", "view-source:" (compared without regard to case); nothing else is added or changed.
// A local path ("/tmp/x.html", "~/x.html") becomes the address of that file.
QString completeAddress(const QString &typed);

// Words rather than an address: the text holds a blank, or it has neither a dot, a colon nor a
// slash and is not "localhost".
bool isSearchText(const QString &typed);
// The search site's query address with the words in place of its "%s".
QString searchAddress(const QString &queryTemplate, const QString &words);

// Whether the address is that of a local file that exists ("file:///tmp/x.html").
bool isExistingFile(const QString &address);

// Whether the text is a "javascript:" address (blanks before it and letter case aside).
bool isScriptAddress(const QString &text);

// "http://www.alpha.beta/gamma" gives "Alpha"; "https://news.alpha.beta/x" gives "News.alpha.beta".
void TabCaptionFromAddress(QString &address);

} // namespace AddressRules
