#include "app/debuggesture.h"

#include "document/programmingdocument.h"

#include <QTime>

DebugGesture::DebugGesture(ProgrammingDocument &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_clock([] { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; })
{
}

void DebugGesture::captionClicked(int caption)
{
    if (m_unlock.click(caption, m_clock()))
        m_document.setDebugUnlocked(true);
}

void DebugGesture::relockClicked()
{
    if (!m_relock.click(m_clock()))
        return;
    m_unlock.reset();
    m_document.setDebugUnlocked(false);
}
