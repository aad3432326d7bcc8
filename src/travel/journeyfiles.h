#pragma once

#include "core/textfile.h"

#include <QDateTime>

class AppFolder;

// Every run's journey is kept in the Journeys folder, one file per run named by the date and
// time the run began ("Journey 2026-12-08 14-05-09.txt"), with the travel log's lines: the time
// of day, two spaces, the address opened.
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

    // The addresses of a journey's lines, in order; lines without one are passed over.
    static QStringList addressesOf(const QStringList &lines);
};
