#pragma once

#include <QObject>

class ExportSupport;

// The page as an Excel workbook ("SAVE:EXCEL"): its tables land in cells.
class ExcelExport : public QObject
{
    Q_OBJECT
public:
    static inline const QString filter = QStringLiteral("Microsoft Excel(*.xls)");
    // The command's own caption titles the save dialog.
    static constexpr int commandCaption = 148;

    explicit ExcelExport(ExportSupport &support, QObject *parent = nullptr);

    void SaveAsE();

private:
    void write(const QString &htmlPath);

    ExportSupport &m_;
};
