// Draws lines, the line being drawn and the rubber band on a QPainter.
#pragma once

#include <vector>

#include "geometry.h"

class IFLOWOBJECT;
class QPainter;

// A line: legs 3 pixels wide and a filled arrowhead at its entry end.
void PaintLine(QPainter& painter, const IFLOWOBJECT& line, bool highlighted);

// The line being drawn: black legs through points, then the blue loose leg to mouse.
void PaintLineInProgress(QPainter& painter, const std::vector<Point>& points, Point mouse);

// One-pixel dotted outline of the rubber band.
void PaintRubberBand(QPainter& painter, const Rect& rect);
