#pragma once

// What the fuzz targets share: the entry point libFuzzer calls, and invariants that end the run
// with a message naming the broken rule, so that libFuzzer keeps the input that broke it and the
// replay under CTest fails on it.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

[[noreturn]] inline void fuzzFailure(const char *file, int line, const char *rule, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, rule);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

// Ends the run when rule does not hold; detail (a QString) says what was seen.
#define FUZZ_CHECK(rule, detail) \
    do { \
        if (!(rule)) \
            fuzzFailure(__FILE__, __LINE__, #rule, detail); \
    } while (false)

// The bytes of a fuzz input, read from the front.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_at >= m_size; }
    // The next byte; 0 once the input is used up.
    quint8 byte() { return atEnd() ? 0 : m_data[m_at++]; }
    quint16 word() { return quint16(byte() | byte() << 8); }
    // The next count bytes, fewer when the input ends first.
    QByteArray bytes(size_t count)
    {
        count = std::min(count, m_size - std::min(m_at, m_size));
        const QByteArray taken(reinterpret_cast<const char *>(m_data + m_at), qsizetype(count));
        m_at += count;
        return taken;
    }
    QByteArray rest() { return bytes(m_size); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};
