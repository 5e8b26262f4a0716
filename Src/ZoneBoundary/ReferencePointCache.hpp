#pragma once

#include <mutex>

// The point last clicked for a room, in millimetres: the place where a generated plan is imported.
class ReferencePointCache {
public:
    struct Reading {
        bool valid = false;
        double x = 0;
        double y = 0;
    };

    static ReferencePointCache& Instance();

    void Save(double x, double y);
    void Invalidate();
    Reading TryGet() const;

private:
    ReferencePointCache() = default;

    mutable std::mutex mutex;
    Reading point;
};
