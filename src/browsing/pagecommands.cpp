#include "pagecommands.h"

#include "platform/userdialogs.h"
#include "sharedprinter.h"
#include "webview.h"

#include <QEventLoop>
#include <QPrinter>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace PageCommands {

// The preview paints synchronously: wait, with the window still painting, for the engine.
static void printTo(QWebEngineView &engine, QPrinter *printer)
{
    QEventLoop loop;
    QObject::connect(&engine, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
    engine.print(printer);
    loop.exec();
}

static void saveAs(QWebEnginePage &page, const Context &context)
{
    const QString archive = QStringLiteral("Web archive (*.mhtml)");
    QString name = page.title().isEmpty() ? QStringLiteral("page") : page.title();
    name.replace(u'/', u'_');
    const QString path = context.dialogs.saveFileName(context.saveTitle, name % u".mhtml",
                                                      archive % u";;Web page, complete (*.html)");
    if (path.isEmpty())
        return;
    page.save(path, path.endsWith(u".mhtml", Qt::CaseInsensitive) ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                                                                   : QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

void run(int command, QWebEngineView &engine, const Context &context)
{
    QWebEnginePage &page = *engine.page();
    // Editing commands act on the focused frame; they are meant for this view's page.
    if (command >= WebView::Cut)
        engine.setFocus();
    switch (command) {
    case WebView::SaveAs:
        saveAs(page, context);
        break;
    case WebView::Print:
        if (context.dialogs.choosePrinter(context.printer.printer()))
            engine.print(&context.printer.printer());
        break;
    case WebView::PrintPreview:
        context.dialogs.printPreview(context.printer.printer(), [&engine](QPrinter *target) { printTo(engine, target); });
        break;
    case WebView::PageSetup:
        context.dialogs.pageSetup(context.printer.printer());
        break;
    case WebView::Properties:
        context.dialogs.message(context.properties);
        break;
    case WebView::Cut:
        page.triggerAction(QWebEnginePage::Cut);
        break;
    case WebView::Copy:
        page.triggerAction(QWebEnginePage::Copy);
        break;
    case WebView::Paste:
        page.triggerAction(QWebEnginePage::Paste);
        break;
    case WebView::SelectAll:
        page.triggerAction(QWebEnginePage::SelectAll);
        break;
    case WebView::Delete:
        page.runJavaScript(QStringLiteral("document.execCommand('delete')"), QWebEngineScript::ApplicationWorld);
        break;
    default:
        break;
    }
}

} // namespace PageCommands
