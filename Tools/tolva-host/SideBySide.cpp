#include "SideBySide.hpp"

#include <algorithm>
#include <sstream>

namespace {

constexpr double Gap = 24;
constexpr double TitleHeight = 32;

// A number attribute of the drawing's root element; 0 when it has none.
double RootAttribute(const std::string& svg, const std::string& name) {
    const size_t root = svg.find("<svg");
    const size_t end = svg.find('>', root);
    const std::string key = " " + name + "=\"";
    const size_t at = svg.find(key, root);
    if (root == std::string::npos || at == std::string::npos || at > end) {
        return 0;
    }
    return std::stod(svg.substr(at + key.size()));
}

void Place(std::ostringstream& out, const std::string& title, const std::string& svg, double x) {
    out << "<text x=\"" << x + 8 << "\" y=\"22\" font-size=\"18\" font-weight=\"bold\">" << title
        << "</text>\n";
    out << "<g transform=\"translate(" << x << " " << TitleHeight << ")\">\n" << svg << "</g>\n";
}

} // namespace

std::string SideBySide(const std::string& leftTitle, const std::string& left, const std::string& rightTitle,
                       const std::string& right) {
    const double leftWidth = RootAttribute(left, "width");
    const double width = leftWidth + Gap + RootAttribute(right, "width");
    const double height =
        TitleHeight + std::max(RootAttribute(left, "height"), RootAttribute(right, "height"));
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" font-family=\"sans-serif\">\n";
    out << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    Place(out, leftTitle, left, 0);
    Place(out, rightTitle, right, leftWidth + Gap);
    out << "</svg>\n";
    return out.str();
}
