#include "image/editorstate.h"

#include "image/tonelist.h"

void EditorState::placeChannel(int number, const ::Channel &placed)
{
    channel(number) = placed;
    for (int column : {RxTone, TxTone}) {
        const Tone &tone = column == RxTone ? placed.rxTone : placed.txTone;
        toneFallback(number, column) = ToneList::isListed(tone) ? tone : Tone();
    }
}
