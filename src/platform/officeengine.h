#pragma once

#include <QList>
#include <QString>
#include <functional>

// Writes Word, Excel and PowerPoint files. Every call answers later, exactly once, on the event
// loop, within a bounded time; the window goes on working meanwhile.
class OfficeEngine
{
public:
    // What went wrong, for the message the user sees.
    enum class Failure {
        None,
        // The engine is missing from this computer: the user must install it.
        Missing,
        // The engine stopped or did not answer in time; the next request starts a fresh one.
        Stopped,
        // The template could not be read.
        Template,
        // The file chosen to take the slide holds something other than a presentation.
        NotPresentation,
        // A file could not be written.
        Write,
        // No folder only the user can write was there for the engine's work; the engine's
        // account names the folder it tried.
        Unsafe,
        // The engine could not make the document of this page.
        Other,
    };

    struct Reply
    {
        bool ok = false;
        Failure failure = Failure::None;
        // The engine's own account of a failure: shown only for a missing engine, whose
        // account tells what to install, and for one without a private folder.
        QString error;
        // The slides a presentation holds after a slide was appended.
        int slides = 0;
    };
    using Done = std::function<void(const Reply &)>;

    // One file the document is stored as, with the office's filter name ("MS Word 97").
    struct Output
    {
        QString path;
        QString filter;
    };

    virtual ~OfficeEngine() = default;

    // Starts the engine ahead of a request, so that it is ready when the request comes.
    virtual void prepare() {}

    // The template (or, without one, a new document, landscape when asked) with the HTML page
    // inserted at its end and its pictures embedded, stored once per output.
    virtual void writeDocument(const QString &templatePath, bool landscape, const QString &htmlPath,
                               const QList<Output> &outputs, Done done) = 0;

    // The HTML page as an Excel 97 workbook, its tables in cells.
    virtual void writeWorkbook(const QString &htmlPath, const QString &output, Done done) = 0;

    // The presentation (a new one when the path is empty) with a blank slide showing the
    // picture added at its end, stored as a PowerPoint 97 file.
    virtual void appendSlide(const QString &presentation, const QString &picturePath, const QString &output,
                             Done done) = 0;
};
