#include "cliimages.h"

#include "image/codec.h"

namespace CliImages {

EditorState stateOf(const RadioImage &image)
{
    EditorState state;
    decodeImage(image, state);
    return state;
}

RadioImage savedAfterRead(const RadioImage &read, int radioBand)
{
    EditorState state = stateOf(read);
    if (radioBand >= 0 && radioBand < BandCount)
        state.currentBand = radioBand;
    return encodeImage(state);
}

RadioImage writtenOf(const EditorState &state)
{
    return encodeImage(state);
}

} // namespace CliImages
