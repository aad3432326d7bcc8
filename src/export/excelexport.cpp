#include "excelexport.h"

#include "exportsupport.h"

#include <QPointer>

ExcelExport::ExcelExport(ExportSupport &support, QObject *parent) : QObject(parent), m_(support) {}

void ExcelExport::SaveAsE()
{
    if (!m_.begin(ExportSupport::copyingCaption, "Copying the page..."))
        return;
    QPointer<ExcelExport> self(this);
    m_.copyPage([self](const QString &htmlPath) {
        if (self && !htmlPath.isEmpty())
            self->write(htmlPath);
    });
}

void ExcelExport::write(const QString &htmlPath)
{
    const QString fileName = m_.chooseFile(commandCaption, QStringLiteral(".xls"), filter, QStringLiteral("ExcelDocument"));
    if (fileName.isEmpty())
        return m_.finish();
    ExportSupport &support = m_;
    support.writeFiles(
        {fileName}, {},
        [&support, htmlPath](const QStringList &temporaryPaths, OfficeEngine::Done done) {
            support.office().writeWorkbook(htmlPath, temporaryPaths.first(), std::move(done));
        },
        [&support, fileName](const OfficeEngine::Reply &) { support.saved(fileName); });
}
