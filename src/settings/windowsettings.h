#pragma once

#include "core/textfile.h"

#include <QRectF>
#include <QSizeF>

struct ProgramState;

// "\Data\TamzoTravel.Ini": thirteen numbers, one a line, in twips: the main window's top, left,
// height and width; the link-table window's four and the grid editor's four; the full-screen flag.
class WindowSettings
{
public:
    static inline const QString fileName = QStringLiteral("\\Data\\TamzoTravel.Ini");
    static constexpr int lineCount = 13;
    static constexpr int fullScreen = 2;

    // screen: the screen's size, which replaces a missing or too small main window size.
    static void Read_Ini(ProgramState &state, const QSizeF &screen);
    // window: the main window's geometry now.
    static WriteResult Save_Ini(const ProgramState &state, const QRectF &window);
};
