#pragma once

// A disk that fills up, for tests that run as root, where permissions stop no write: the size
// of the files a process may write is limited, and the signal that would end it at the limit
// is ignored, so that a write beyond the limit fails with EFBIG as on a full disk.

#include <csignal>
#include <sys/resource.h>

// For a child process before it starts (QProcess::setChildProcessModifier); both calls are
// safe there.
inline void limitFileSize(rlim_t bytes)
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
}

// The limit for the test's own process, as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_former);
        m_formerHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_former;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_former);
        signal(SIGXFSZ, m_formerHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_former {};
    void (*m_formerHandler)(int) = SIG_DFL;
};
