// A polyline drawn with a wide pen at the speed of a thin one, pixel for pixel
// as QPainter::drawPolyline draws it.
//
// Qt strokes a wide polyline into one outline and fills it: a dense trace of a
// thousand points zigzagging across its zone becomes one polygon crossing
// itself everywhere, which takes the raster engine about a second to fill. The
// same outline is the union of shorter polylines that overlap by one segment
// (each join is then inside one of them, with its own join), drawn with flat
// ends, and of the two square caps of the whole line: each piece is a simple
// polygon and fills in microseconds. An aliased fill sets the pixels whose
// centres lie inside the outline, so the union sets the same pixels.
#pragma once

#include <cstdint>

#include <QPen>
#include <QPoint>

class QPainter;

// How traces are drawn: in overlapping pieces (the program's way), or in one
// drawPolyline call (the reference the tests and the benchmark compare with).
enum class tTracePolyligne : uint8_t { Morceaux, Directe };

// Draws the polyline of `n` points with `pen` (its cap style is that of the two
// ends; joins are the pen's bevel joins). Thin and cosmetic pens, devices that
// are not raster pictures (a printer, a PDF) and the reference way draw
// through drawPolyline itself.
void TRACER_POLYLIGNE(QPainter& g, const QPoint* points, int n, const QPen& pen,
                      tTracePolyligne maniere = tTracePolyligne::Morceaux);
