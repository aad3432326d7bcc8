#include "linkicons.h"

#include <QApplication>
#include <QStyle>

namespace {

struct Picture
{
    int image;
    const char *themeName;
    QStyle::StandardPixmap standard;
};

QIcon find(const Picture *pictures, size_t count, int image)
{
    for (size_t i = 0; i < count; ++i) {
        if (pictures[i].image != image)
            continue;
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(pictures[i].themeName));
        return themed.isNull() ? QApplication::style()->standardIcon(pictures[i].standard) : themed;
    }
    return QIcon();
}

// "EXIT5"/"EXIT6", "ADDURL", "EDITURL", "GOURL", "SORT", "SAVE2", "HELP2", "TITLE", "IMPORT", "EXPORT".
const Picture tablePictures[] = {
    {0, "window-close", QStyle::SP_DialogCloseButton},
    {1, "bookmark-new", QStyle::SP_FileDialogNewFolder},
    {2, "document-edit", QStyle::SP_FileDialogDetailedView},
    {3, "go-jump", QStyle::SP_ArrowForward},
    {6, "view-sort-ascending", QStyle::SP_ArrowDown},
    {7, "document-save", QStyle::SP_DialogSaveButton},
    {8, "help-contents", QStyle::SP_DialogHelpButton},
    {9, "edit-rename", QStyle::SP_FileDialogContentsView},
    {10, "document-import", QStyle::SP_DialogOpenButton},
    {11, "document-export", QStyle::SP_ArrowUp},
};

// "CANCEL", "SAVE3".
const Picture editorPictures[] = {
    {1, "edit-delete", QStyle::SP_TrashIcon},
    {2, "document-save", QStyle::SP_DialogSaveButton},
};

} // namespace

QIcon LinkIcons::tableIcon(int image) { return find(tablePictures, std::size(tablePictures), image); }

QIcon LinkIcons::editorIcon(int image) { return find(editorPictures, std::size(editorPictures), image); }
