#pragma once

#include "image/editorstate.h"
#include "image/radioimage.h"

// The images qv540-cli saves and writes, made as the window makes them: a freshly started
// window that reads the radio or opens a data file, then saves or writes.
namespace CliImages {

// The editor state of an image, as a freshly started window decodes it.
EditorState stateOf(const RadioImage &image);

// What the window saves after reading these bytes from a radio that reported radioBand (-1
// when its band code names no band: the band the image holds stays).
RadioImage savedAfterRead(const RadioImage &read, int radioBand);

// What the window writes to the radio after opening a data file holding this image.
RadioImage writtenOf(const EditorState &state);

} // namespace CliImages
