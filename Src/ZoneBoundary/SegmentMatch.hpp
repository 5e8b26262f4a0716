#pragma once

// Whether a wall (W1 to W2) runs along a boundary edge (A to B): both ends close to the edge's ends,
// or nearly parallel (under 5 degrees), close to the edge's line and overlapping it. Millimetres.
bool SegmentMatchesWall(double w1x, double w1y, double w2x, double w2y, double ax, double ay, double bx,
                        double by, double tolerance);
