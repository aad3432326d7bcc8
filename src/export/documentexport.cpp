#include "documentexport.h"

#include "core/programstate.h"
#include "exportnames.h"
#include "exportsupport.h"
#include "platform/userdialogs.h"

#include <QPointer>

static const QString wordFormat = QStringLiteral("MS Word 97");
static const QString pdfFormat = QStringLiteral("writer_pdf_Export");

DocumentExport::DocumentExport(ExportSupport &support, QObject *parent) : QObject(parent), m_(support) {}

void DocumentExport::SaveAsW() { run(false); }

void DocumentExport::SaveAsF() { run(true); }

void DocumentExport::run(bool pdf)
{
    const ProgramState &state = m_.state();
    // Before the templates are known (the first moments after start-up) only the landscape
    // Word document can be made, as a new document without template.
    const bool portrait = pdf || state.wordLayout == 1;
    const QString templatePath = portrait ? state.templatePathH : state.templatePath;
    if (portrait && templatePath.isEmpty()) {
        m_.dialogs().message(m_.caption(templatesNotReadyCaption,
                                        "The Word templates are not ready yet; try again in a moment."));
        return;
    }
    if (!m_.begin(ExportSupport::copyingCaption, "Copying the page..."))
        return;
    QPointer<DocumentExport> self(this);
    m_.copyPage([self, pdf, templatePath](const QString &htmlPath) {
        if (self && !htmlPath.isEmpty())
            self->write(pdf, templatePath, htmlPath);
    });
}

void DocumentExport::write(bool pdf, const QString &templatePath, const QString &htmlPath)
{
    const QString fileName = pdf ? m_.chooseFile(pdfCaption, QStringLiteral(".pdf"), pdfFilter)
                                 : m_.chooseFile(m_.state().wordLayout == 1 ? portraitCaption : landscapeCaption,
                                                 QStringLiteral(".doc"), wordFilter);
    if (fileName.isEmpty())
        return m_.finish();
    QList<OfficeEngine::Output> outputs{{fileName, pdf ? pdfFormat : wordFormat}};
    if (pdf)
        outputs.append({ExportNames::wordCopy(fileName), wordFormat});
    QStringList finals;
    for (const OfficeEngine::Output &output : outputs)
        finals.append(output.path);

    ExportSupport &support = m_;
    const bool landscape = templatePath.isEmpty();
    support.writeFiles(
        finals, templatePath,
        [&support, templatePath, landscape, htmlPath, outputs](const QStringList &temporaryPaths,
                                                                 OfficeEngine::Done done) mutable {
            for (qsizetype i = 0; i < outputs.size(); ++i)
                outputs[i].path = temporaryPaths[i];
            support.office().writeDocument(templatePath, landscape, htmlPath, outputs, std::move(done));
        },
        [&support, finals](const OfficeEngine::Reply &) {
            if (finals.size() == 1)
                return support.saved(finals[0]);
            support.finish(support.caption(ExportSupport::savedCaption, "File saved: ") + finals[0] + u'\n'
                           + support.caption(wordCopyCaption, "Its Word copy:") + u' ' + finals[1]);
        });
}
