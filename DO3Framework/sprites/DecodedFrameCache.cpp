#include "sprites/DecodedFrameCache.h"

#include "images/Image.h"
#include "sprites/RleRowReader.h"

namespace {

bool UnpackPlane(const Image& image, uint8_t* to)
{
    RleRowReader reader(image);
    for (int y = 0; y < image.GetHeight(); ++y, to += image.GetWidth()) {
        if (!reader.ReadRow(to)) {
            return false;
        }
    }
    return true;
}

}  // namespace

uint64_t DecodedFrameCache::NewKey()
{
    static uint64_t next = 0;
    return ++next;
}

const uint8_t* DecodedFrameCache::Find(uint64_t key, const Image& frame, const Image* alpha)
{
    auto found = entries.find(key);
    if (found != entries.end()) {
        uses.splice(uses.begin(), uses, found->second.use);
        return found->second.pixels.data();
    }
    size_t plane = static_cast<size_t>(frame.GetWidth()) * static_cast<size_t>(frame.GetHeight());
    size_t bytes = alpha ? 2 * plane : plane;
    if (bytes == 0 || bytes > kBudgetBytes / 8) {
        return nullptr;
    }
    std::vector<uint8_t> pixels(bytes);
    if (!Unpack(frame, alpha, pixels)) {
        return nullptr;
    }
    MakeRoom(bytes);
    uses.push_front(key);
    held += bytes;
    Entry& entry = entries[key];
    entry.pixels = std::move(pixels);
    entry.use = uses.begin();
    return entry.pixels.data();
}

bool DecodedFrameCache::Unpack(const Image& frame, const Image* alpha, std::vector<uint8_t>& pixels)
{
    size_t plane = static_cast<size_t>(frame.GetWidth()) * static_cast<size_t>(frame.GetHeight());
    return UnpackPlane(frame, pixels.data()) && (!alpha || UnpackPlane(*alpha, pixels.data() + plane));
}

void DecodedFrameCache::MakeRoom(size_t bytes)
{
    while (held + bytes > kBudgetBytes && !uses.empty()) {
        Forget(uses.back());
    }
}

void DecodedFrameCache::Forget(uint64_t key)
{
    auto found = entries.find(key);
    if (found == entries.end()) {
        return;
    }
    held -= found->second.pixels.size();
    uses.erase(found->second.use);
    entries.erase(found);
}
