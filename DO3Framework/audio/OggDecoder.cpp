#include "audio/OggDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace {

constexpr int kLittleEndian = 0;
constexpr int kWordBytes = 2;
constexpr int kSigned = 1;

}  // namespace

OggDecoder::OggDecoder() : file(std::make_unique<OggVorbis_File>())
{
}

OggDecoder::~OggDecoder()
{
    Close();
}

bool OggDecoder::Open(std::vector<uint8_t> compressed)
{
    Close();
    memory = std::move(compressed);
    return OpenDecoder();
}

bool OggDecoder::Reopen()
{
    CloseDecoder();
    return OpenDecoder();
}

void OggDecoder::Close()
{
    CloseDecoder();
    std::vector<uint8_t>().swap(memory);
}

int OggDecoder::Read(uint8_t* buffer, int bytes)
{
    if (!open) {
        return 0;
    }
    int section = 0;
    return static_cast<int>(
        ov_read(file.get(), reinterpret_cast<char*>(buffer), bytes, kLittleEndian, kWordBytes, kSigned, &section));
}

int OggDecoder::Rate() const
{
    const vorbis_info* info = open ? ov_info(file.get(), -1) : nullptr;
    return info ? static_cast<int>(info->rate) : 0;
}

int OggDecoder::Channels() const
{
    const vorbis_info* info = open ? ov_info(file.get(), -1) : nullptr;
    return info ? info->channels : 0;
}

bool OggDecoder::OpenDecoder()
{
    position = 0;
    const ov_callbacks callbacks{&OggDecoder::ReadBytes, &OggDecoder::SeekBytes, nullptr, &OggDecoder::TellBytes};
    // On failure vorbisfile clears the decoder itself.
    open = ov_open_callbacks(this, file.get(), nullptr, 0, callbacks) == 0;
    return open;
}

void OggDecoder::CloseDecoder()
{
    if (open) {
        ov_clear(file.get());
        open = false;
    }
}

size_t OggDecoder::ReadBytes(void* target, size_t size, size_t count, void* source)
{
    auto* self = static_cast<OggDecoder*>(source);
    if (size == 0) {
        return 0;
    }
    const size_t left = self->memory.size() - self->position;
    const size_t items = std::min(count, left / size);
    // Empty compressed bytes have no buffer at all, and memcpy must not be handed a null source.
    if (items == 0) {
        return 0;
    }
    std::memcpy(target, self->memory.data() + self->position, items * size);
    self->position += items * size;
    return items;
}

int OggDecoder::SeekBytes(void* source, int64_t offset, int whence)
{
    auto* self = static_cast<OggDecoder*>(source);
    const int64_t size = static_cast<int64_t>(self->memory.size());
    int64_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<int64_t>(self->position);
    } else if (whence == SEEK_END) {
        base = size;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > size) {
        return -1;
    }
    self->position = static_cast<size_t>(target);
    return 0;
}

long OggDecoder::TellBytes(void* source)
{
    return static_cast<long>(static_cast<OggDecoder*>(source)->position);
}
