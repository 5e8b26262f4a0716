#pragma once

#include "Model/BuildingData.hpp"

// A generated building as plan records: stories 3 m apart, each a grid of 10 x 5 units of 8 x 10 m
// under a rectangular facade outline. The story graph holds the grid lines between units (its outer
// edges marked "facade"); each unit lists its four sides, which neighbours share (half of them in the
// opposite direction and a few millimetres off), and four inner walls of its own. At 40 stories of
// 50 units the collectors find about 20,000 candidate walls.
Tolva::BuildingData MakeSyntheticBuilding(int storyCount, int unitsPerStory = 50);
