#include "frmedit.h"

#include "commands/barkeys.h"
#include "commands/commandbar.h"
#include "core/programstate.h"
#include "linktables/linkicons.h"
#include "linktables/linkrow.h"
#include "linktables/linktable.h"
#include "linktables/linktablefile.h"
#include "platform/twips.h"
#include "platform/userdialogs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

namespace {

constexpr double labelTops[] = {885, 1245, 1605, 1965, 2310, 2700};
constexpr double boxTops[] = {840, 1200, 1560, 1920, 2280, 2655};
constexpr int dateCaption = 73;

void place(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(Twips::toPixels(left, top, std::max(0.0, width), std::max(0.0, height)));
}

} // namespace

frmEDit::frmEDit(ProgramState &state, UserDialogs &dialogs, const CommandCatalogue &catalogue, LinkTable &table,
                 QWidget *parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_table(table)
{
    setWindowTitle(m_state.caption(titleCaption));
    imgTitle = new QWidget(this);
    imgBkg = new QWidget(this);
    for (QWidget *band : {imgTitle, imgBkg}) {
        band->setAutoFillBackground(true);
        band->setBackgroundRole(band == imgTitle ? QPalette::Button : QPalette::Window);
    }
    cmdBar9 = new CommandBar(catalogue, QStringLiteral("EDIT9"), 9, &LinkIcons::editorIcon, this);
    cmdBar9->applyStyle(1);
    cmdBar9->setTooltip(QStringLiteral("CANCEL"), m_state.caption(94));
    cmdBar9->setTooltip(QStringLiteral("SAVE3"), m_state.caption(95));
    connect(cmdBar9, &CommandBar::clicked, this, &frmEDit::cmdBar_ButtonClick);
    new BarKeys(this, {cmdBar9}, [this] { Txt[1]->setFocus(Qt::ShortcutFocusReason); });

    const LinkRow &row = m_table.row(m_state.editRow);
    for (int i = 1; i <= LinkRow::fieldCount; ++i) {
        Lab[i] = new QLabel(m_state.caption(i == LinkRow::Date ? dateCaption : 64 + i), this);
        Txt[i] = new QLineEdit(row[i], this);
        Txt[i]->setObjectName(QStringLiteral("Txt%1").arg(i));
        // Screen readers name each box by its label.
        Lab[i]->setBuddy(Txt[i]);
    }
    placeWindow();
    m_state.tableModified = 0;

    const double inner = Twips::fromPixels(width());
    place(cmdBar9, 10, 20, inner - 40, Twips::fromPixels(cmdBar9->sizeHint().height()));
    const double bandHeight = Twips::fromPixels(cmdBar9->height()) + 20 + 30;
    place(imgTitle, 0, 0, inner - 40, bandHeight);
    place(imgBkg, 0, bandHeight, inner, Twips::fromPixels(height()) - bandHeight);
    for (int i = 1; i <= LinkRow::fieldCount; ++i) {
        place(Lab[i], 120, labelTops[i - 1], 1455, 255);
        place(Txt[i], 1680, boxTops[i - 1], 4455, 285);
    }
    cmdBar9->raise();
}

void frmEDit::placeWindow()
{
    if (m_state.gridEditorHeight == 0 && m_state.gridEditorLeft == 0 && m_state.gridEditorWidth == 0) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        m_state.gridEditorHeight = designedHeight;
        m_state.gridEditorWidth = designedWidth;
        m_state.gridEditorTop = (Twips::fromPixels(screen.height()) - designedHeight) / 2;
        m_state.gridEditorLeft = (Twips::fromPixels(screen.width()) - designedWidth) / 2;
    }
    // A size that was never stored opens as designed rather than as a window of nothing.
    if (Twips::toPixels(m_state.gridEditorHeight) < 1 || Twips::toPixels(m_state.gridEditorWidth) < 1) {
        m_state.gridEditorHeight = designedHeight;
        m_state.gridEditorWidth = designedWidth;
    }
    resize(Twips::toPixels(m_state.gridEditorWidth), Twips::toPixels(m_state.gridEditorHeight));
    move(Twips::toPixels(m_state.gridEditorLeft), Twips::toPixels(m_state.gridEditorTop));
}

void frmEDit::cmdBar_ButtonClick(int, const QString &key)
{
    if (key == u"SAVE3") {
        if (!storeRow())
            return;
    } else if (key == u"CANCEL") {
        // The button looks like a cancel: the row goes only when the user says so.
        if (!m_dialogs.question(m_state.caption(deleteCaption, "Delete this link?") % u'\n' %
                                    m_table.row(m_state.editRow)[LinkRow::Title],
                                UserDialogs::Default::No))
            return;
        m_table.clearRow(m_state.editRow);
    }
    accept();
}

bool frmEDit::storeRow()
{
    LinkRow row;
    for (int i = 1; i <= LinkRow::fieldCount; ++i) {
        row[i] = Txt[i]->text();
        if (!LinkTableFile::storable(row[i])) {
            m_dialogs.message(Lab[i]->text() % u":\n" %
                              m_state.caption(fieldRefusedCaption,
                                              "This field cannot hold ;-; or a line break, and cannot end with ;-"));
            Txt[i]->setFocus();
            return false;
        }
    }
    // A row without a title is dropped by the save: the editor deletes rows only by "CANCEL".
    if (row[LinkRow::Title].isEmpty()) {
        m_dialogs.message(m_state.caption(titleMissingCaption, "Please give the link a title."));
        Txt[LinkRow::Title]->setFocus();
        return false;
    }
    m_table.setRow(m_state.editRow, row);
    m_state.tableModified = 1;
    return true;
}

void frmEDit::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    if (isVisible())
        storePosition();
}

void frmEDit::storePosition()
{
    m_state.gridEditorTop = Twips::fromPixels(pos().y());
    m_state.gridEditorLeft = Twips::fromPixels(pos().x());
}

void frmEDit::done(int result)
{
    storePosition();
    QDialog::done(result);
}
