#include "cliimages.h"

#include "image/codec.h"

namespace CliImages {

const CellTexts &cellTexts()
{
    static const CellTexts texts = CellTexts::forLanguage(Language::English);
    return texts;
}

EditorState stateOf(const RadioImage &image)
{
    EditorState state;
    decodeImage(image, state, cellTexts());
    return state;
}

RadioImage savedAfterRead(const RadioImage &read, int radioBand)
{
    EditorState state = stateOf(read);
    if (radioBand >= 0 && radioBand < BandCount)
        state.currentBand = radioBand;
    return encodeImage(state, cellTexts());
}

RadioImage writtenOf(const EditorState &state)
{
    return encodeImage(state, cellTexts());
}

} // namespace CliImages
