// LoadBitmapA: a bitmap resource of the program, decoded to 32 bits. Only the program's own
// module is searched; the system's predefined bitmaps (OBM_*) are not supported.
#include "gdi/dib.h"
#include "gdi/objects.h"
#include "kernel/last_error.h"
#include "resources/resources.h"

using namespace w32;
using namespace w32::gdi;

extern "C" HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    std::optional<std::span<const std::byte>> data =
        resources::Find(hInstance, RT_BITMAP, lpBitmapName);
    if (!data)
        return nullptr; // Find has set the last error
    std::optional<Image> image = DecodeDib(*data);
    if (!image)
        return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, HBITMAP{});
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = image->width;
    bitmap->height = image->height;
    bitmap->pixels = std::move(image->pixels);
    uintptr_t handle = Bitmaps().Add(std::move(bitmap));
    return handle ? ToHandle<HBITMAP>(handle) : Fail(ERROR_NOT_ENOUGH_MEMORY, HBITMAP{});
}
