#pragma once

#include "appfolder.h"

#include <QString>
#include <QStringList>
#include <array>

// Every variable that several windows share, under its name. One instance per run (or per test).
struct ProgramState
{
    explicit ProgramState(AppFolder folder) : appFolder(std::move(folder)) {}

    // The address opened when the options file holds none.
    static inline const QString defaultStartAddress = QStringLiteral("https://www.wikipedia.org/");

    AppFolder appFolder;

    // Set at start-up.
    QString todayDate;
    qint16 linkSlotsPerGroup = 30;
    qint16 linkGroupCount = 5;
    qint16 captureCount = 0;
    qint16 exportAlpha = 205;
    qint16 opaqueAlpha = 255;
    QString currentAddress;

    // The window settings file, in twips. The main window's values are 32-bit: a large screen is
    // wider than 32767 twips.
    int mainTop = 0;
    int mainLeft = 0;
    int mainHeight = 0;
    int mainWidth = 0;
    qint16 mainFullScreen = 0;
    double linkTableTop = 0, linkTableLeft = 0, linkTableHeight = 0, linkTableWidth = 0;
    double gridEditorTop = 0, gridEditorLeft = 0, gridEditorHeight = 0, gridEditorWidth = 0;

    // The options file; the values a new options file holds until it is read.
    qint16 barStyle = 1;
    qint16 optionFlag2 = 0;
    qint16 floatingBar = 0;
    qint16 optionFlag4 = 0;
    QString startAddress;
    QString languageName = QStringLiteral("English");

    // Layout.
    bool barsShown = true;
    qint16 layoutFrozen = 0;

    // The language file: captions 1..599 (slot 0 unused) and its settings.
    // The design's captions end at 223; the program's own messages take numbers from 224 upward.
    static constexpr int captionSlots = 600;
    std::array<QString, captionSlots> captions;
    QString caption(int number) const
    {
        return number > 0 && number < captionSlots ? captions[number] : QString();
    }
    // A caption of the program's own messages: the English text built in when the language
    // file has none for it.
    QString caption(int number, const char *english) const
    {
        const QString text = caption(number);
        return text.isEmpty() ? QString::fromUtf8(english) : text;
    }
    QString startPage;
    QString langCode;
    QString searchUrl, searchDescr;
    // The search site's query address, "%s" standing for the words; empty: words typed in the
    // address box are opened as an address, and the search button opens the search site.
    QString searchQuery;
    QString dictionaryUrl, dictionaryDescr;
    QString mapUrl, mapDescr;
    QString socialUrl, socialDescr;
    QString ecommerceUrl, ecommerceDescr;
    qint16 tabWidth = 0;
    QString translatorAddress;

    // The languages found in the language folder, in the order found.
    QStringList languageNames;
    qint16 languageCount = 0;

    // Tabs and navigation.
    QStringList tabAddresses;
    qint16 tabMouseButtons = 0;
    QString typedAddress;
    QString pageTitle;
    QString bookmarkAddress;

    // Travel: links are kept at 1..499; 0 and 500 are never used.
    static constexpr int travelLinkSlots = 501;
    qint16 travelSpeed = 0;
    qint16 travelTicks = 0;
    qint16 travelSeconds = 0;
    std::array<QString, travelLinkSlots> travelLinks;
    qint16 travelLinkCount = 0;

    // Exports: 0 for "SAVE:WORDH" and "SAVE:PDF", 1 for "SAVE:WORDV"; the Word templates.
    qint16 wordLayout = 0;
    QString templatePath;
    QString templatePathH;

    // Link tables: index entries 1..150 in slots 0..160 (slot 0 unused); the count is kept as text.
    struct LinkIndexEntry
    {
        QString title;
        QString count;
    };
    static constexpr int linkIndexSlots = 161;
    QString linkFileStem;
    std::array<LinkIndexEntry, linkIndexSlots> linkIndex;
    qint16 currentTable = 0;
    QString currentTableFile;
    QString pendingTitle;
    qint16 titleEditing = 0;
    QStringList hiddenSecrets;
    qint16 minGridRows = 0;
    qint16 tableModified = 0;

    // The link-table window's result and its rows.
    QString chosenAddress;
    // Rows are counted in full: a table recovered from its file can hold more than 32767 rows.
    int editRow = 0;
    int clickedRow = 0;
    bool linkWindowReady = false;

    // The yes/no box's answer: 1 yes, 0 no; unchanged when closed otherwise.
    qint16 inputAnswer = 0;
    // A key was typed in the language editor during this run.
    bool langModified = false;
};
