#include "qtuserdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

static const QString kTitle = QStringLiteral("TamzoTravel");

// Every text a box shows is plain: a page's title or address, a file's name is shown as it
// is, never as markup with links or pictures of its own.
static QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, kTitle, text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtUserDialogs::message(const QString &text, Icon icon)
{
    ask(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, text, QMessageBox::Ok);
}

static QString titleOr(const QString &title) { return title.isEmpty() ? kTitle : title; }

bool QtUserDialogs::question(const QString &text, Default answer)
{
    return ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               answer == Default::No ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

int QtUserDialogs::choose(const QString &text, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons.append(box.addButton(choice, buttons.size() + 1 == choices.size() ? QMessageBox::RejectRole
                                                                                 : QMessageBox::AcceptRole));
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.last()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? int(buttons.size() - 1) : int(chosen);
}

QString QtUserDialogs::textInput(const QString &title, const QString &prompt)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtUserDialogs::saveFileName(const QString &title, const QString &suggested, const QString &filter,
                                    Existing existing)
{
    QFileDialog dialog(QApplication::activeWindow(), titleOr(title), suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (existing == Existing::Replace) {
        // An export replaces its file, and a slide show chosen again grows.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        // A name typed without extension takes the filter's before the dialog asks about replacing.
        static const QRegularExpression firstExtension(QStringLiteral("\\*\\.(\\w+)"));
        dialog.setDefaultSuffix(firstExtension.match(filter).captured(1));
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtUserDialogs::openFileName(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titleOr(title), QDir::homePath(), filter);
}

bool QtUserDialogs::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserDialogs::pageSetup(QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint)
{
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(target); });
    dialog.exec();
}
