#include "imagelist.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>

namespace {

struct Flag
{
    const char *key;
    enum Layout { Vertical, Horizontal, Cross, Union, Stars, Maple, Globe } layout;
    QList<QColor> colours;
};

// Pictures 106 to 118, the language entries.
const QHash<int, Flag> &flags()
{
    static const QHash<int, Flag> table = {
        {106, {"pea", Flag::Globe, {QColor(0x2e, 0x7d, 0xd2), QColor(0x43, 0xa0, 0x47)}}},
        {107, {"it", Flag::Vertical, {QColor(0x00, 0x92, 0x46), Qt::white, QColor(0xce, 0x2b, 0x37)}}},
        {108, {"en", Flag::Cross, {Qt::white, QColor(0xce, 0x11, 0x24)}}},
        {109, {"uk", Flag::Union, {QColor(0x01, 0x21, 0x69), Qt::white, QColor(0xc8, 0x10, 0x2e)}}},
        {110, {"am", Flag::Stars, {QColor(0xb2, 0x22, 0x34), Qt::white, QColor(0x3c, 0x3b, 0x6e)}}},
        {111, {"fr", Flag::Vertical, {QColor(0x00, 0x23, 0x95), Qt::white, QColor(0xed, 0x29, 0x39)}}},
        {112, {"ger", Flag::Horizontal, {Qt::black, QColor(0xdd, 0x00, 0x00), QColor(0xff, 0xce, 0x00)}}},
        {113, {"esp", Flag::Horizontal, {QColor(0xaa, 0x15, 0x1b), QColor(0xf1, 0xbf, 0x00), QColor(0xf1, 0xbf, 0x00),
                                         QColor(0xaa, 0x15, 0x1b)}}},
        {114, {"por", Flag::Vertical, {QColor(0x00, 0x66, 0x00), QColor(0xff, 0x00, 0x00), QColor(0xff, 0x00, 0x00)}}},
        {115, {"rus", Flag::Horizontal, {Qt::white, QColor(0x00, 0x39, 0xa6), QColor(0xd5, 0x2b, 0x1e)}}},
        {116, {"nl", Flag::Horizontal, {QColor(0xae, 0x1c, 0x28), Qt::white, QColor(0x21, 0x46, 0x8b)}}},
        {117, {"bel", Flag::Vertical, {Qt::black, QColor(0xfd, 0xda, 0x24), QColor(0xef, 0x33, 0x40)}}},
        {118, {"can", Flag::Maple, {QColor(0xd8, 0x06, 0x21), Qt::white}}},
    };
    return table;
}

void drawStripes(QPainter &p, const QRectF &r, const QList<QColor> &colours, bool vertical)
{
    const qreal step = (vertical ? r.width() : r.height()) / colours.size();
    for (int i = 0; i < colours.size(); ++i) {
        const QRectF band = vertical ? QRectF(r.left() + i * step, r.top(), step, r.height())
                                     : QRectF(r.left(), r.top() + i * step, r.width(), step);
        p.fillRect(band, colours[i]);
    }
}

QPixmap flagPicture(const Flag &flag)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 6, 30, 20);
    const auto &c = flag.colours;
    switch (flag.layout) {
    case Flag::Vertical:
        drawStripes(p, r, c, true);
        break;
    case Flag::Horizontal:
        drawStripes(p, r, c, false);
        break;
    case Flag::Cross:
        p.fillRect(r, c[0]);
        p.fillRect(QRectF(r.center().x() - 2.5, r.top(), 5, r.height()), c[1]);
        p.fillRect(QRectF(r.left(), r.center().y() - 2.5, r.width(), 5), c[1]);
        break;
    case Flag::Union:
        p.fillRect(r, c[0]);
        p.setPen(QPen(c[1], 5));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(c[2], 2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.fillRect(QRectF(r.center().x() - 4, r.top(), 8, r.height()), c[1]);
        p.fillRect(QRectF(r.left(), r.center().y() - 4, r.width(), 8), c[1]);
        p.fillRect(QRectF(r.center().x() - 2, r.top(), 4, r.height()), c[2]);
        p.fillRect(QRectF(r.left(), r.center().y() - 2, r.width(), 4), c[2]);
        break;
    case Flag::Stars: {
        QList<QColor> stripes;
        for (int i = 0; i < 7; ++i)
            stripes << (i % 2 ? c[1] : c[0]);
        drawStripes(p, r, stripes, false);
        const QRectF canton(r.left(), r.top(), r.width() * 0.45, r.height() * 4 / 7);
        p.fillRect(canton, c[2]);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawEllipse(QPointF(canton.left() + 2 + col * 3.3, canton.top() + 2 + row * 3.6), 0.9, 0.9);
        break;
    }
    case Flag::Maple: {
        drawStripes(p, r, {c[0], c[1], c[1], c[0]}, true);
        QPainterPath leaf;
        const QPointF m = r.center();
        leaf.moveTo(m.x(), m.y() - 7);
        leaf.lineTo(m.x() + 2, m.y() - 3);
        leaf.lineTo(m.x() + 6, m.y() - 4);
        leaf.lineTo(m.x() + 3, m.y() + 2);
        leaf.lineTo(m.x() + 1, m.y() + 2);
        leaf.lineTo(m.x() + 1, m.y() + 7);
        leaf.lineTo(m.x() - 1, m.y() + 7);
        leaf.lineTo(m.x() - 1, m.y() + 2);
        leaf.lineTo(m.x() - 3, m.y() + 2);
        leaf.lineTo(m.x() - 6, m.y() - 4);
        leaf.lineTo(m.x() - 2, m.y() - 3);
        leaf.closeSubpath();
        p.fillPath(leaf, c[0]);
        break;
    }
    case Flag::Globe:
        p.setPen(QPen(c[0].darker(), 1.5));
        p.setBrush(c[0]);
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setBrush(c[1]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(9, 9, 8, 6));
        p.drawEllipse(QRectF(16, 16, 8, 7));
        break;
    }
    if (flag.layout != Flag::Globe) {
        p.setPen(QPen(QColor(0, 0, 0, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    return pixmap;
}

// A small rounded badge with a word, for pictures the icon theme has no icon for.
QPixmap badge(const QString &text, const QColor &colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2, 6, 28, 20), 4, 4);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? 10 : 16);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 6, 28, 20), Qt::AlignCenter, text);
    return pixmap;
}

// A grip of dots: the handles that move the window.
QPixmap grip()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x55, 0x55));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QPointF(10 + col * 6, 7 + row * 6), 1.8, 1.8);
    return pixmap;
}

// Back and forward: a filled arrow in colour, which no one takes for a disabled button.
QPixmap arrow(bool forward)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(3, 16);
    path.lineTo(15, 4);
    path.lineTo(15, 11);
    path.lineTo(29, 11);
    path.lineTo(29, 21);
    path.lineTo(15, 21);
    path.lineTo(15, 28);
    path.closeSubpath();
    if (forward)
        path = QTransform(-1, 0, 0, 1, 32, 0).map(path);
    p.setPen(QPen(QColor(0x1b, 0x5e, 0x20), 1.5));
    p.setBrush(QColor(0x43, 0xa0, 0x47));
    p.drawPath(path);
    return pixmap;
}

const QHash<int, const char *> &themeNames()
{
    static const QHash<int, const char *> table = {
        {0, "application-exit"},       {3, "process-stop"},
        {4, "view-refresh"},           {5, "document-print"},
        {6, "document-save"},          {7, "accessories-text-editor"},
        {8, "user-bookmarks"},         {9, "applications-office"},
        {10, "text-x-generic"},        {13, "system-search"},
        {15, "bookmark-new"},          {16, "go-home"},
        {19, "help-about"},            {22, "go-bottom"},
        {26, "text-html"},             {27, "x-office-document"},
        {28, "x-office-document"},     {29, "x-office-spreadsheet"},
        {30, "x-office-presentation"}, {37, "audio-volume-high"},
        {46, "system-file-manager"},   {47, "applications-internet"},
        {48, "security-high"},         {58, "document-page-setup"},
        {59, "document-print-preview"}, {60, "document-print"},
        {61, "edit-cut"},              {62, "edit-copy"},
        {63, "edit-paste"},            {64, "edit-find"},
        {66, "accessories-text-editor"}, {67, "edit-select-all"},
        {68, "edit-delete"},           {69, "text-x-script"},
        {71, "go-jump"},               {72, "view-fullscreen"},
        {73, "emblem-web"},            {75, "preferences-desktop-theme"},
        {77, "help-browser"},          {78, "applets-screenshooter"},
        {79, "document-properties"},   {80, "preferences-desktop-locale"},
        {81, "folder"},                {83, "user-home"},
        {105, "preferences-desktop-locale"}, {119, "document-new"},
        {122, "accessories-dictionary"}, {124, "system-users"},
        {126, "media-playlist-shuffle"}, {127, "media-playback-start"},
        {128, "media-playback-stop"},
    };
    return table;
}

// The desktop's own theme first; the theme the setup installs fills what it lacks. Without a
// desktop (no theme named, no search path) the system's icon folders are looked in.
void findDesktopIcons()
{
    if (QIcon::fallbackThemeName() == QLatin1String("Adwaita"))
        return;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                           QStandardPaths::LocateDirectory)) {
        if (!paths.contains(folder))
            paths << folder;
    }
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("hicolor"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

QIcon makeIcon(int index)
{
    if (const auto flag = flags().constFind(index); flag != flags().constEnd())
        return QIcon(flagPicture(*flag));
    switch (index) {
    case 1:
    case 2:
        return QIcon(arrow(index == 2));
    case 32:
        return QIcon(badge(QStringLiteral("PDF"), QColor(0xc6, 0x28, 0x28)));
    case 76:
        return QIcon(badge(QStringLiteral("$"), QColor(0x2e, 0x7d, 0x32)));
    case 121:
        return QIcon(grip());
    case 123:
        return QIcon(badge(QStringLiteral("MAP"), QColor(0x00, 0x89, 0x7b)));
    case 125:
        return QIcon(badge(QStringLiteral("BUY"), QColor(0xef, 0x6c, 0x00)));
    default:
        break;
    }
    const auto name = themeNames().constFind(index);
    if (name == themeNames().constEnd())
        return QIcon();
    findDesktopIcons();
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(*name));
    // Without the theme on the machine a command still shows a picture of its own.
    return themed.isNull() ? QIcon(badge(QString::number(index), QColor(0x45, 0x5a, 0x64))) : themed;
}

} // namespace

QString ImageList::key(int index)
{
    const auto flag = flags().constFind(index);
    return flag == flags().constEnd() ? QString() : QString::fromLatin1(flag->key);
}

QIcon ImageList::icon(int index)
{
    return index < 0 || index >= count ? QIcon() : makeIcon(index);
}

int ImageList::languageIcon(const QString &languageName)
{
    const QString prefix = languageName.left(2).toLower();
    for (int index = firstLanguageImage; index < count; ++index) {
        const QString imageKey = key(index);
        if (!imageKey.isEmpty() && imageKey.startsWith(prefix))
            return index;
    }
    return defaultLanguageIcon;
}
