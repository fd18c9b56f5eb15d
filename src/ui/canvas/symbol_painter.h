// Draws a flow symbol (outline, label, connectors) on a QPainter.
#pragma once

class DrawingResources;
class IFLOWOBJECT;
class QPainter;

// Shape and label in black, or blue when highlighted; then, when
// showConnectors is set, the connectors that the line-mode flag lets show.
void PaintSymbol(QPainter& painter, const DrawingResources& resources, const IFLOWOBJECT& symbol,
                 bool highlighted, bool showConnectors, bool lineMode);
