#include "linkicons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

const QColor ink(0x37, 0x47, 0x4f);
const QColor green(0x2e, 0x7d, 0x32);
const QColor blue(0x15, 0x65, 0xc0);

QIcon standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// A picture drawn on a clear square.
template<typename Draw>
QIcon drawn(Draw draw)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

void page(QPainter &p)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5, 3, 18, 24), 2, 2);
    for (int line = 0; line < 3; ++line)
        p.drawLine(QPointF(9, 9 + line * 5), QPointF(19, 9 + line * 5));
}

// An open box with an arrow going into it or coming out of it.
void tray(QPainter &p, bool into)
{
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4, 19), QPointF(4, 28), QPointF(28, 28), QPointF(28, 19)}));
    QPainterPath arrow;
    const qreal tip = into ? 24 : 2, base = into ? 14 : 12;
    arrow.moveTo(16, tip);
    arrow.lineTo(9, base);
    arrow.lineTo(13, base);
    arrow.lineTo(13, into ? 2 : 24);
    arrow.lineTo(19, into ? 2 : 24);
    arrow.lineTo(19, base);
    arrow.lineTo(23, base);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(arrow, into ? green : blue);
}

// Adding the page shown: a page with a plus.
QIcon addPicture()
{
    return drawn([](QPainter &p) {
        page(p);
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawEllipse(QRectF(15, 15, 16, 16));
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(23, 18.5), QPointF(23, 27.5));
        p.drawLine(QPointF(18.5, 23), QPointF(27.5, 23));
    });
}

// Editing a link: a pencil.
QIcon editPicture()
{
    return drawn([](QPainter &p) {
        p.translate(16, 16);
        p.rotate(-45);
        p.setPen(QPen(ink, 1.5));
        p.setBrush(QColor(0xff, 0xb3, 0x00));
        p.drawRect(QRectF(-9, -4, 17, 8));
        p.setBrush(QColor(0xf4, 0x8f, 0xb1));
        p.drawRect(QRectF(8, -4, 4, 8));
        p.setBrush(QColor(0xff, 0xe0, 0xb2));
        p.drawPolygon(QPolygonF({QPointF(-9, -4), QPointF(-15, 0), QPointF(-9, 4)}));
    });
}

// Sorting by title: A above Z, and an arrow down.
QIcon sortPicture()
{
    return drawn([](QPainter &p) {
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(13);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRectF(1, 1, 16, 15), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(1, 16, 16, 15), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(24, 4), QPointF(24, 27));
        p.drawPolyline(QPolygonF({QPointF(19, 22), QPointF(24, 27), QPointF(29, 22)}));
    });
}

// Renaming the table: a text box with a word and the text cursor after it.
QIcon renamePicture()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 8, 28, 16));
        QFont font = p.font();
        font.setPixelSize(12);
        p.setFont(font);
        p.drawText(QRectF(4, 8, 18, 16), Qt::AlignCenter, QStringLiteral("ab"));
        p.setPen(QPen(blue, 2));
        p.drawLine(QPointF(24, 5), QPointF(24, 27));
        p.drawLine(QPointF(21, 5), QPointF(27, 5));
        p.drawLine(QPointF(21, 27), QPointF(27, 27));
    });
}

struct Picture
{
    int image;
    const char *themeName;
    QIcon (*own)();
};

QIcon find(const Picture *pictures, size_t count, int image)
{
    for (size_t i = 0; i < count; ++i) {
        if (pictures[i].image != image)
            continue;
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(pictures[i].themeName));
        return themed.isNull() ? pictures[i].own() : themed;
    }
    return QIcon();
}

// "EXIT5"/"EXIT6", "ADDURL", "EDITURL", "GOURL", "SORT", "SAVE2", "HELP2", "TITLE", "IMPORT", "EXPORT".
const Picture tablePictures[] = {
    {0, "window-close", [] { return standard(QStyle::SP_DialogCloseButton); }},
    {1, "bookmark-new", addPicture},
    {2, "document-edit", editPicture},
    {3, "go-jump", [] { return standard(QStyle::SP_ArrowForward); }},
    {6, "view-sort-ascending", sortPicture},
    {7, "document-save", [] { return standard(QStyle::SP_DialogSaveButton); }},
    {8, "help-contents", [] { return standard(QStyle::SP_DialogHelpButton); }},
    {9, "edit-rename", renamePicture},
    {10, "document-import", [] { return drawn([](QPainter &p) { tray(p, true); }); }},
    {11, "document-export", [] { return drawn([](QPainter &p) { tray(p, false); }); }},
};

// "CANCEL", "SAVE3".
const Picture editorPictures[] = {
    {1, "edit-delete", [] { return standard(QStyle::SP_TrashIcon); }},
    {2, "document-save", [] { return standard(QStyle::SP_DialogSaveButton); }},
};

} // namespace

QIcon LinkIcons::tableIcon(int image) { return find(tablePictures, std::size(tablePictures), image); }

QIcon LinkIcons::editorIcon(int image) { return find(editorPictures, std::size(editorPictures), image); }
