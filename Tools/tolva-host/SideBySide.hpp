#pragma once

#include <string>

// Two SVG drawings next to each other in one picture, each under its title.
std::string SideBySide(const std::string& leftTitle, const std::string& left, const std::string& rightTitle,
                       const std::string& right);
