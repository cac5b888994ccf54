#pragma once

#include "app/comparewindow.h"
#include "image/radioimage.h"
#include "i18n/languagemode.h"

#include <QObject>

class FileCommands;
class ProgrammingDocument;
class RadioCommands;
class QWidget;

// Compare and Compare with File: the programming being edited against what the radio holds
// (read into an image of its own, as far as a write reaches) or against a data file (every byte).
// Neither touches the programming, its history, its file or the debug mode; both run under the
// editing lock.
class CompareCommands : public QObject
{
    Q_OBJECT

public:
    CompareCommands(ProgrammingDocument &document, FileCommands &files, RadioCommands &radio, QWidget *window);

    void compareWithRadio();
    void compareWithFile();
    void retranslate(LanguageMode mode);
    CompareWindow &compareWindow() { return *m_compareWindow; }

signals:
    // Write in the comparison: the window's Write, with its questions.
    void writeRequested();

private:
    void showRadio(const RadioImage &read);
    void show(const RadioImage &other, CompareWindow::Other kind, const QString &fileName = {});

    ProgrammingDocument &m_document;
    FileCommands &m_files;
    RadioCommands &m_radio;
    QWidget *m_window;
    CompareWindow *m_compareWindow;
};
