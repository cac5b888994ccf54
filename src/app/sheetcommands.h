#pragma once

#include "app/channelsheet.h"

#include <QObject>
#include <functional>

class ChannelGrid;
class FunctionSettingsPanel;
class ProgrammingDocument;
class QComboBox;
class QLabel;
class QWidget;
class WindowPrompts;

// The commands that carry the channels to other files: Import CSV (an edit of the programming),
// Export CSV, and the channel sheet printed or exported as PDF.
class SheetCommands : public QObject
{
    Q_OBJECT

public:
    // The parts of the window the sheet shows as they are shown: the grid, the band's caption and
    // selector, and the function settings.
    struct ShownParts
    {
        const ChannelGrid *grid;
        const QLabel *bandLabel;
        const QComboBox *bandSelector;
        const FunctionSettingsPanel *settings;
    };

    SheetCommands(ProgrammingDocument &document, WindowPrompts &prompts, QWidget *window, ShownParts shown);

    void importCsv();
    void exportCsv();
    void exportPdf();
    void print();

    // The channel sheet of what the window shows, in the language in force.
    ChannelSheet sheet() const;

private:
    ProgrammingDocument &m_document;
    WindowPrompts &m_prompts;
    QWidget *m_window;
    ShownParts m_shown;
};
