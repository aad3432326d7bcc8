#pragma once

#include <QString>
#include <functional>

// The names the exports suggest and derive.
struct ExportNames
{
    static constexpr int titleLength = 22;

    // The first 22 characters of the page title with everything but ASCII letters and digits
    // dropped, then the extension (".doc"); untitled stands in when nothing is left.
    static QString suggested(const QString &title, const QString &extension, const QString &untitled = {});

    // The Word copy that lies beside a PDF: the chosen name with its extension replaced by
    // ".doc" ("/out/page.pdf" gives "/out/page.doc"; a name without extension gets one). A PDF
    // named "page.doc" keeps its name and the copy becomes "page-Word.doc".
    static QString wordCopy(const QString &pdfPath);

    // The page's title, or nothing when the engine shows the page's address in its place.
    static QString pageTitle(const QString &title, const QString &address);

    // "Tamzo007.bmp": the capture number in at least three digits.
    static QString capture(int number);

    // The first capture number from `from` on that taken() does not claim.
    static int freeCapture(int from, const std::function<bool(int number)> &taken);
};
