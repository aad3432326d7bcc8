#include "markupview.h"

#include "browsing/webview.h"
#include "core/programstate.h"
#include "core/textfile.h"
#include "exportsupport.h"
#include "platform/userdialogs.h"
#include "platform/desktopshell.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSaveFile>

MarkupView::MarkupView(ExportSupport &support, QObject *parent) : QObject(parent), m_(support), m_answer(this) {}

void MarkupView::show()
{
    // The markup is written as any export's file is: one at a time, and its failure ends only
    // this one.
    if (!m_.begin(ExportSupport::savingCaption, "Saving the page...", false))
        return;
    QPointer<MarkupView> self(this);
    const QPointer<WebView> view = m_.activeView();
    const quint64 wait = m_answer.await([self, view] {
        if (self)
            self->m_.finishSilent(view);
    });
    view->readMarkup([self, wait](const QString &markup) {
        if (self && self->m_answer.answered(wait))
            self->write(markup);
    });
}

void MarkupView::write(const QString &markup)
{
    if (markup.isEmpty())
        return m_.finish(m_.caption(ExportSupport::nothingCaption, "Nothing could be copied from this page."));
    const AppFolder &folder = m_.state().appFolder;
    // "doc.txt" in any spelling is this one file.
    const QString earlier = folder.path(QStringLiteral("\\doc.txt"));
    if (QFile::exists(earlier))
        QFile::remove(earlier);
    const QString path = QDir(folder.root()).filePath(QStringLiteral("Doc.Txt"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(markup.toUtf8()) < 0 || !file.flush() || !file.commit())
        return m_.failed(WriteResult::failure(path, file.errorString()));
    m_.finish();
    m_.shell().open(path);
}
