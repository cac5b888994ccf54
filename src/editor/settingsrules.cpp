#include "editor/settingsrules.h"

#include <algorithm>

namespace SettingsRules {

int listPositionOf(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

QStringList revertTimeItems(const QString &none)
{
    QStringList items {none};
    for (int i = 0; i <= 90; ++i)
        items << QStringLiteral("%1 S").arg(0.50 + i * 0.05, 0, 'f', 2);
    return items;
}

bool delayTextAccepted(QStringView text)
{
    if (text.size() > 3)
        return false;
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    return text.isEmpty() || text.toInt() <= MaxDelay;
}

int firstDigitDelayPosition(int milliseconds)
{
    const int position = (milliseconds - 100) / 50;
    return milliseconds >= 100 && milliseconds <= 1000 && milliseconds % 50 == 0 ? position : -1;
}

int firstDigitDelayOf(int position)
{
    return 100 + 50 * position;
}

std::optional<QString> typedDtmfCode(QStringView text)
{
    QString code;
    for (QChar c : text) {
        const QChar upper = c >= u'a' && c <= u'z' ? c.toUpper() : c;
        if (!((upper >= u'0' && upper <= u'9') || (upper >= u'A' && upper <= u'D') || upper == u'*' || upper == u'#'))
            return std::nullopt;
        code += upper;
    }
    return code;
}

QString pttCodeShown(const QString &stored)
{
    QString shown = stored;
    return shown.remove(QChar(0xFF));
}

int firstChannelWithFrequency(const EditorState &state)
{
    for (int row = 1; row <= ChannelCount; ++row)
        if (state.channelExists(row))
            return row;
    return 0;
}

int keyFunctionShown(int keyFunction)
{
    return keyFunction >= 0 && keyFunction < KeyFunctionCount ? keyFunction : KeyFunctionOff;
}

bool embeddedCharacterStorable(QChar c)
{
    const char16_t code = c.unicode();
    return (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code < 0xFF);
}

QString storableEmbeddedText(QStringView text)
{
    QString kept;
    for (QChar c : text)
        if (embeddedCharacterStorable(c))
            kept.append(c);
    return kept;
}

bool embeddedKeyAccepted(qsizetype length, qsizetype selected, QChar typed)
{
    return embeddedCharacterStorable(typed) && (length < EmbeddedTextLength || selected > 0);
}

} // namespace SettingsRules
