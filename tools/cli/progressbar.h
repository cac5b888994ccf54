#pragma once

#include <QString>
#include <cstdio>

// The progress of a session on a terminal: one line redrawn in place, "Reading [#####   ]  45%".
// Silent when the stream is no terminal, so that logs of scripted runs hold only errors.
class ProgressBar
{
public:
    static constexpr int Width = 40;

    ProgressBar(std::FILE *stream, bool enabled) : m_stream(stream), m_enabled(enabled) {}

    // Whether the stream is a terminal.
    static bool isTerminal(std::FILE *stream);

    void start(const QString &label);
    void show(int value, int maximum);
    // Ends the line where the bar stands, as when a session fails.
    void finish();
    // Fills the bar, since a session's own progress stops short of its end, and ends the line
    // with a closing word.
    void complete(const QString &closing);

    // The bar's line for a value, without the carriage return.
    static QString line(const QString &label, int value, int maximum);

private:
    std::FILE *m_stream;
    bool m_enabled;
    bool m_drawn = false;
    QString m_label;
    int m_maximum = 1;
};
