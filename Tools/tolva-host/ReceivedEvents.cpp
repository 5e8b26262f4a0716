#include "ReceivedEvents.hpp"

#include "StandIn/Host.hpp"

#include <fstream>
#include <iostream>

ReceivedEvents::ReceivedEvents(std::string path) : path(std::move(path)) {
    StandIn::Host().errorReporting.receiver = receiver.Address();
}

ReceivedEvents::~ReceivedEvents() {
    StandIn::Host().errorReporting.receiver.clear();
    std::ofstream file;
    if (path != "-") {
        file.open(path);
    }
    std::ostream& out = path == "-" ? std::cout : file;
    for (const std::string& event : receiver.Events()) {
        out << event << "\n";
    }
    if (!out) {
        std::cerr << "tolva-host: cannot write " << path << "\n";
    }
}
