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
#include <QRegularExpression>

static const QString kTitle = QStringLiteral("TamzoTravel");

void QtUserDialogs::message(const QString &text, Icon icon)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, kTitle,
                    text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

static QString titleOr(const QString &title) { return title.isEmpty() ? kTitle : title; }

bool QtUserDialogs::question(const QString &text, Default answer)
{
    return QMessageBox::question(QApplication::activeWindow(), kTitle, text, QMessageBox::Yes | QMessageBox::No,
                                 answer == Default::No ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

QString QtUserDialogs::textInput(const QString &title, const QString &prompt)
{
    return QInputDialog::getText(QApplication::activeWindow(), title, prompt);
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
