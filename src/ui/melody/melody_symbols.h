// Drawing the melody editor's notes, rests and clef with QPainter.
#pragma once

#include <QColor>
#include <QFont>

#include "melody_note.h"

class QPainter;

// The clef marker, a note or a rest as it sits on the staff strip: x is the
// entry's x, y its staff position (the note head's centre). Dots and
// accidentals are drawn as "・", "♭" and "♯" in font.
void DrawStaffSymbol(QPainter& painter, const MelodyNote& note, const QColor& colour,
                     const QFont& font);
// The symbol of a type (1-10) centred in a palette cell at (cx, cy).
void DrawPaletteSymbol(QPainter& painter, int type, int cx, int cy);
