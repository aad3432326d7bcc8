#include "qtuserdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

static const QString kTitle = QStringLiteral("TamzoTravel");

void QtUserDialogs::message(const QString &text, Icon icon)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, kTitle,
                    text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtUserDialogs::question(const QString &text)
{
    return QMessageBox::question(QApplication::activeWindow(), kTitle, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool QtUserDialogs::questionDefaultNo(const QString &text)
{
    return QMessageBox::question(QApplication::activeWindow(), kTitle, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
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
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? int(buttons.size() - 1) : int(chosen);
}

QString QtUserDialogs::textInput(const QString &title, const QString &prompt)
{
    return QInputDialog::getText(QApplication::activeWindow(), title, prompt);
}

QString QtUserDialogs::saveFileName(const QString &suggested, const QString &filter, Existing existing)
{
    QFileDialog dialog(QApplication::activeWindow(), kTitle, suggested, filter);
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

QString QtUserDialogs::openFileName(const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), kTitle, QDir::homePath(), filter);
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
