#include "maincontrols.h"

#include "browsing/findbar.h"
#include "browsing/tabstrip.h"
#include "commands/barkeys.h"
#include "frmstart.h"
#include "language/captions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

void MainControls::build(frmStart &w)
{
    w.picBar = new QWidget(&w);
    w.cmdBar0 = new QToolBar(w.picBar);
    w.cmdBar1 = new QWidget(w.picBar);
    w.cmdBar1->setObjectName(QStringLiteral("cmdBar1"));
    w.cmdBar1->setAttribute(Qt::WA_StyledBackground);
    w.cmdBar2 = new QToolBar(w.picBar);
    w.Tab1 = new TabStrip(w.cmdBar1);
    w.Text1 = new QComboBox(w.cmdBar1);
    w.Text1->setEditable(true);
    w.Text1->setMaxVisibleItems(30);

    w.picStat = new QWidget(&w);
    w.cmdMoveL = new QToolButton(w.picStat);
    w.statusBar = new QLabel(w.picStat);
    w.statusBar->setTextFormat(Qt::PlainText);
    w.timeBar = new QLabel(w.picStat);
    w.timeBar->setTextFormat(Qt::PlainText);
    w.timeBar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.progressBar = new QProgressBar(w.picStat);
    w.progressBar->setTextVisible(false);
    w.cmdMove = new QToolButton(w.picStat);
    for (QLabel *field : {w.statusBar, w.timeBar})
        field->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    for (QToolButton *handle : {w.cmdMove, w.cmdMoveL}) {
        handle->setAutoRaise(true);
        handle->setCursor(Qt::SizeAllCursor);
        handle->installEventFilter(&w);
    }
}

void MainControls::nameMainControls(frmStart &window)
{
    Captions &captions = window.captions();
    for (QWidget *addressBox : {static_cast<QWidget *>(window.Text1), static_cast<QWidget *>(window.Text1->lineEdit())}) {
        captions.nameControl(addressBox, 344, "Address box", 345,
                             "Type an address, or words to search for, and press Enter");
    }
    captions.nameControl(window.Tab1, 346, "Tabs");
    // The status texts are named by what they say, and described by their role.
    captions.nameControl(window.picStat, 348, "Status");
    captions.nameControl(window.statusBar, 0, nullptr, 348, "Status");
    captions.nameControl(window.timeBar, 0, nullptr, 349, "Travel countdown");
    captions.nameControl(window.progressBar, 350, "Page loading");
    for (QToolBar *bar : {window.cmdBar0, window.cmdBar2})
        captions.nameControl(bar, BarKeys::barsCaption, BarKeys::barsEnglish, BarKeys::keysCaption, BarKeys::keysEnglish);
    const FindBar::Controls &find = window.findBar().controls();
    captions.nameControl(find.text, 354, "Find in the page");
    captions.nameControl(find.previous, 355, "Previous match", 561, "Go to the match before this one in the page");
    captions.nameControl(find.next, 356, "Next match", 562, "Go to the match after this one in the page (also Enter)");
    captions.nameControl(find.close, 357, "Close the find bar", 563, "Close the find bar (also Escape)");
}
