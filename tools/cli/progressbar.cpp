#include "progressbar.h"

#include <algorithm>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

bool ProgressBar::isTerminal(std::FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream));
#else
    return ::isatty(fileno(stream));
#endif
}

void ProgressBar::start(const QString &label)
{
    m_label = label;
    show(0, 1);
}

void ProgressBar::show(int value, int maximum)
{
    m_maximum = maximum;
    if (!m_enabled)
        return;
    std::fprintf(m_stream, "\r%s", qPrintable(line(m_label, value, maximum)));
    std::fflush(m_stream);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (!m_enabled || !m_drawn)
        return;
    std::fputc('\n', m_stream);
    std::fflush(m_stream);
    m_drawn = false;
}

void ProgressBar::complete(const QString &closing)
{
    if (!m_enabled || !m_drawn)
        return;
    show(m_maximum, m_maximum);
    std::fprintf(m_stream, "  %s", qPrintable(closing));
    finish();
}

QString ProgressBar::line(const QString &label, int value, int maximum)
{
    const int clamped = std::clamp(value, 0, std::max(maximum, 1));
    const int filled = Width * clamped / std::max(maximum, 1);
    const int percent = 100 * clamped / std::max(maximum, 1);
    return QStringLiteral("%1 [%2%3] %4%").arg(label, QString(filled, u'#'), QString(Width - filled, u' '))
        .arg(percent, 3);
}
