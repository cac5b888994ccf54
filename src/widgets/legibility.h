#pragma once

class QWidget;

// Greys a disabled widget's texts (the editing lock, a running session) no lighter than can
// still be read: contrast above 4.5:1 on the light-blue rows and on the frames.
void makeLegibleWhenDisabled(QWidget *widget);
