// LoadBitmapA: a bitmap resource of the program, decoded to 32 bits. Only the program's own
// module is searched; the system's predefined bitmaps (OBM_*) are not supported. A resource is
// decoded once; every load gets its own copy of the pixels, since a bitmap may be drawn on.
#include "gdi/dib.h"
#include "gdi/objects.h"
#include "kernel/last_error.h"
#include "resources/resources.h"

#include <cstring>
#include <map>

using namespace w32;
using namespace w32::gdi;

extern "C" HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    std::optional<std::span<const std::byte>> data =
        resources::Find(hInstance, RT_BITMAP, lpBitmapName);
    if (!data)
        return nullptr; // Find has set the last error
    // Keyed by where the resource's bytes lie, which does not change while the program runs.
    static std::map<std::pair<const std::byte*, size_t>, std::optional<Image>> decoded;
    auto [entry, fresh] = decoded.try_emplace(std::make_pair(data->data(), data->size()));
    if (fresh)
        entry->second = DecodeDib(*data);
    const std::optional<Image>& image = entry->second;
    if (!image)
        return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, HBITMAP{});
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = image->width;
    bitmap->height = image->height;
    size_t count = static_cast<size_t>(image->width) * image->height;
    bitmap->pixels = std::make_unique_for_overwrite<uint32_t[]>(count);
    std::memcpy(bitmap->pixels.get(), image->pixels.get(), count * sizeof(uint32_t));
    uintptr_t handle = Bitmaps().Add(std::move(bitmap));
    return handle ? ToHandle<HBITMAP>(handle) : Fail(ERROR_NOT_ENOUGH_MEMORY, HBITMAP{});
}
