#pragma once

#include "i18n/languagemode.h"

#include <QMainWindow>

class QTableWidget;

// The main window: the channel grid and, around it, everything else the program does.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    QTableWidget *Grid1; // the channel table: rows 1..16 are the channels, columns 1..8 their data

private:
    void applyLanguage(LanguageMode mode);
};
