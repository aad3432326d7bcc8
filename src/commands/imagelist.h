#pragma once

#include <QIcon>
#include <QString>

// The main window's pictures, by number: the desktop's icon theme where it has a fitting icon,
// drawings of the program's own for the flags and a few badges. Numbers no command uses are empty.
class ImageList
{
public:
    static constexpr int count = 131;
    static constexpr int firstLanguageImage = 104; // the 105th image
    static constexpr int defaultLanguageIcon = 106;

    // The keys of the language pictures ("en", "it", ...); empty for every other picture.
    static QString key(int index);
    static QIcon icon(int index);

    // The picture of a language: the first language image whose key begins with the first two
    // letters of the name (lower-cased), else the default language picture.
    static int languageIcon(const QString &languageName);
};
