// HARNESS SHIM, not part of Archicad's DevKit. The Windows edition's DGLib ships this header; DGUtility.hpp
// (WINDOWS branch) holds a DG::ImageCache::Image by value and names nothing else of it.
#pragma once
namespace DG {
class ImageCache {
public:
    class Image {
    public:
        Image() = default;

    private:
        void* data = nullptr;
    };
};
} // namespace DG
