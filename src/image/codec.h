#pragma once

#include "image/editorstate.h"
#include "image/radioimage.h"

// Fills the editor state from an image, as after a read from the radio or opening a data file.
// Only image bytes 0 to 815 are looked at; bytes a short image lacks read as FF. A setting whose
// byte is out of its range keeps its value, as does what the tone editor remembers of an empty
// row.
void decodeImage(const RadioImage &image, EditorState &state);

// Builds the 848-byte image of the editor state (Layout::Segments), as for a write to the radio
// or a data file. Whatever the state holds, the image keeps its layout: values too large for
// their field are held at its limits, texts are cut to their field, characters without a
// single-byte code are stored as "?", and frequencies that cannot be stored are stored as none.
RadioImage encodeImage(const EditorState &state);
