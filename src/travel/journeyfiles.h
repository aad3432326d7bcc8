#pragma once

#include "core/textfile.h"

#include <QDateTime>

class AppFolder;

// Every run's journey is kept in the Journeys folder, one file per run named by the date and
// time the run began ("Journey 2026-12-08 14-05-09.txt"). Its steps are the travel log's lines:
// the time of day, two spaces, the address opened. Between them it keeps where each travel began
// and ended and the titles of the pages, in lines that begin with a word and a tab, which no step
// line does ("start", time, address, title; "stop", the same; "title", address, title); journeys
// kept before those lines existed are steps alone.
class JourneyFiles
{
public:
    static inline const QString folderName = QStringLiteral("\\Journeys");

    // Where the journey of a run begun at that moment is kept.
    static QString pathFor(const AppFolder &folder, const QDateTime &begun);

    // The journeys kept, newest first, as full paths.
    static QStringList kept(const AppFolder &folder);

    // Appends one line, creating the folder and the file when missing.
    static WriteResult append(const QString &path, const QString &line);

    // A travel began, or ended, on the page shown.
    static QString startLine(const QTime &at, const QString &address, const QString &title);
    static QString stopLine(const QTime &at, const QString &address, const QString &title);
    static QString titleLine(const QString &address, const QString &title);

    struct Line
    {
        enum Kind { Step, Start, Stop, Title, Unreadable };
        Kind kind = Unreadable;
        QString address;
        QString title;
    };
    // What one line of a journey says; an address must be a whole one (scheme and host).
    static Line parse(const QString &line);

    // The addresses of a journey's steps, in order; other lines are passed over.
    static QStringList addressesOf(const QStringList &lines);
};
