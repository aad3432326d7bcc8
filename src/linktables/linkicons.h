#pragma once

#include <QIcon>

// The pictures of the link-table window and of its row editor, by their image numbers: the
// desktop's icon theme, else pictures of the program's own, or the style's where they say the same.
class LinkIcons
{
public:
    static QIcon tableIcon(int image);
    static QIcon editorIcon(int image);
};
