// Drawing helpers of the overlay: point transforms and the deep-sky ellipse.
//
// Everything is single precision, angles in degrees (converted to radians
// with pi = 3.1415927f). The y axis of the image points down.
#pragma once

#include "field/markers.h"

#include <cstdint>
#include <optional>

namespace field {

namespace draw {

inline constexpr float kPi = 3.1415927f;

// Point at `angle` degrees and distance `radius` from the origin:
// (radius cos angle, radius sin angle).
void PolarPoint(float angle, float radius, float& x, float& y);

// Rotation by `angle` degrees combined with a mirror of the y axis:
// (x cos a + y sin a, x sin a - y cos a).
void RotatePoint(float angle, float& x, float& y);

// (sx x, sy y).
void ScalePoint(float sx, float sy, float& x, float& y);

// (x + dx, y + dy).
void TranslatePoint(float dx, float dy, float& x, float& y);

// The point of parameter t (degrees) of the ellipse centred on (cx, cy),
// semi-axis `radius` along its own x and `radius * ratio` along its own y,
// turned by `angle` degrees.
void EllipsePoint(float cx, float cy, float radius, float angle, float ratio, float t, float& x,
                  float& y);

// Draws the ellipse arc from `start` to `end` degrees by steps of `step`
// with lines in the store's current drawing colour: one line from the
// previous point to each point of the loop (end included when reached), then
// one more line to the point of the first parameter beyond `end`. Returns the
// largest y reached in the loop (starting from 0), rounded down. Nothing is
// returned when an argument is not a finite number or the step would not
// advance the parameter (no line is drawn then), or when the largest y does
// not fit 16 bits.
std::optional<int16_t> DrawEllipse(MarkerStore& canvas, float cx, float cy, float radius,
                                   float angle, float start, float end, float ratio, float step);

} // namespace draw

} // namespace field
