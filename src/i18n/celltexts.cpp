#include "i18n/celltexts.h"

#include "editor/channelrules.h"
#include "i18n/captions.h"

using Column = EditorState::Column;

CellTexts CellTexts::forLanguage(LanguageMode mode)
{
    CellTexts texts;
    texts.toneOff = captionText(u"Combo8[0]", mode);
    for (int column = Column::Power; column <= Column::Scan; ++column)
        for (int item = 0; item < 2; ++item)
            texts.optionItems[column - Column::Power][item] =
                captionText(QStringLiteral("Combo5(%1)[%2]").arg(column).arg(item), mode);
    return texts;
}

QString cellText(const EditorState &state, int row, int column, const CellTexts &texts)
{
    const std::optional<Channel> &channel = state.channel(row);
    if (!channel)
        return {};
    switch (column) {
    case Column::RxFrequency:
    case Column::TxFrequency:
        return ChannelRules::frequencyIn(*channel, column).text();
    case Column::RxTone:
    case Column::TxTone: {
        const Tone &tone = ChannelRules::toneIn(*channel, column);
        if (!tone.isNone())
            return tone.text();
        return ChannelRules::frequencyIn(*channel, column - 1).isNone() ? QString() : texts.toneOff;
    }
    default:
        return texts.option(column, ChannelRules::optionItem(*channel, column));
    }
}
