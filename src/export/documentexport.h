#pragma once

#include <QObject>

class ExportSupport;

// The page as a Word document ("SAVE:WORDH", "SAVE:WORDV") or as a PDF file with its Word copy
// beside it ("SAVE:PDF"): the template opened, the copied page inserted at its end, the result
// saved under the name chosen in the save dialog. The PDF's message names both files.
class DocumentExport : public QObject
{
    Q_OBJECT
public:
    static constexpr int templatesNotReadyCaption = 261;
    static constexpr int wordCopyCaption = 263;
    // The commands' own captions title the save dialog.
    static constexpr int landscapeCaption = 146, portraitCaption = 147, pdfCaption = 206;
    static inline const QString wordFilter = QStringLiteral("Microsoft Word (*.doc)");
    static inline const QString pdfFilter = QStringLiteral("PDF  (*.pdf)");

    explicit DocumentExport(ExportSupport &support, QObject *parent = nullptr);

    // Word: wordLayout 0 landscape (Template.doc), 1 portrait (TemplateH.doc).
    void SaveAsW();
    // PDF: the portrait template.
    void SaveAsF();

private:
    void run(bool pdf);
    void write(bool pdf, const QString &templatePath, const QString &htmlPath);

    ExportSupport &m_;
};
