#pragma once

#include "image/editorstate.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <utility>

class QPrinter;
class QTextDocument;
class QWidget;

// The channel sheet: one page with the title, the file, the band and the date, the sixteen
// channels as the grid shows them (empty channels as empty rows), the function settings, the key
// functions and the embedded texts. The window fills it with the texts it shows, in the language
// in force.
struct ChannelSheet
{
    using Row = std::pair<QString, QString>; // a caption and its value

    QString title;
    QList<Row> facts;                          // file, band, date
    QStringList header;                        // the grid's headings, channel number first
    std::array<QStringList, ChannelCount> rows; // eight cells each
    QString settingsTitle;
    QList<Row> settings;
    QString keysTitle;
    QList<Row> keys;
    QString textsTitle;
    QStringList texts;

    QString html() const;
    // The sheet as a document to print, in fonts that show Chinese. The caller owns it.
    QTextDocument *document() const;
};

// Writes a document as a PDF file, whole or not at all. False, with the reason, when it cannot.
bool writePdf(QTextDocument &document, const QString &path, QString *error);

// Asks for a printer with the toolkit's print dialog; false when the user cancels.
bool choosePrinter(QWidget *parent, QPrinter &printer);
// For tests: sets up the printer instead of a person, until reset with nullptr.
void setPrinterChooser(std::function<bool(QPrinter &)> chooser);
