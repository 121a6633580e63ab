// Handle tables: every handle the layer gives out is a small number, never an address.
//
// A handle packs a slot index, a kind tag and the slot's generation. Looking one up checks all
// three, so a stale handle (its object deleted), a handle of another kind or any made-up value
// fails the lookup instead of reaching freed or foreign memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace w32 {

// Kind tags, one per handle space. Values 1..15; 0 never appears in a handle.
enum class HandleKind : uint32_t {
    Module = 1,
    Window = 2,
    DeviceContext = 3,
    Brush = 4,
    Font = 5,
    Bitmap = 6,
    Cursor = 7,
    Icon = 8,
    Menu = 9,
    RegistryKey = 10,
};

inline constexpr uint32_t kHandleIndexBits = 16;
inline constexpr uint32_t kHandleKindBits = 4;
inline constexpr uint32_t kHandleGenerationBits = 11;

// The kind of a handle value, or 0 when the value cannot be one of ours.
inline uint32_t KindOfHandle(uintptr_t value) {
    if (value >> (kHandleIndexBits + kHandleKindBits + kHandleGenerationBits) != 0)
        return 0;
    return static_cast<uint32_t>(value >> kHandleIndexBits) & ((1u << kHandleKindBits) - 1);
}

template <class Object> class HandleTable {
  public:
    constexpr explicit HandleTable(HandleKind kind) : kind_(static_cast<uint32_t>(kind)) {}
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Takes ownership; returns 0 when the table is full.
    uintptr_t Add(std::unique_ptr<Object> object) {
        uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= (1u << kHandleIndexBits) - 1)
                return 0;
            index = static_cast<uint32_t>(slots_.size());
            slots_.emplace_back();
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        ++count_;
        return Encode(index, slot.generation);
    }

    Object* Find(uintptr_t handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->object.get() : nullptr;
    }

    // Releases the object's slot and hands the object back; null for an invalid handle.
    std::unique_ptr<Object> Remove(uintptr_t handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot)
            return nullptr;
        std::unique_ptr<Object> object = std::move(slot->object);
        slot->generation = (slot->generation + 1) & ((1u << kHandleGenerationBits) - 1);
        free_.push_back(static_cast<uint32_t>(slot - slots_.data()));
        --count_;
        return object;
    }

    size_t Count() const { return count_; }

    // Calls fn(handle, object&) for every live object, in slot order.
    template <class Fn> void ForEach(Fn&& fn) const {
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].object)
                fn(Encode(static_cast<uint32_t>(i), slots_[i].generation), *slots_[i].object);
    }

  private:
    struct Slot {
        std::unique_ptr<Object> object;
        uint32_t generation = 1;
    };

    uintptr_t Encode(uint32_t index, uint32_t generation) const {
        return (uintptr_t{generation} << (kHandleIndexBits + kHandleKindBits)) |
               (uintptr_t{kind_} << kHandleIndexBits) | (index + 1);
    }

    const Slot* SlotOf(uintptr_t handle) const {
        if (KindOfHandle(handle) != kind_)
            return nullptr;
        uint32_t low = static_cast<uint32_t>(handle & ((1u << kHandleIndexBits) - 1));
        if (low == 0 || low > slots_.size())
            return nullptr;
        const Slot& slot = slots_[low - 1];
        uint32_t generation = static_cast<uint32_t>(handle >> (kHandleIndexBits + kHandleKindBits));
        if (!slot.object || slot.generation != generation)
            return nullptr;
        return &slot;
    }

    uint32_t kind_;
    std::vector<Slot> slots_;
    std::vector<uint32_t> free_;
    size_t count_ = 0;
};

// Converts between the layer's handle numbers and the opaque pointer types of windows.h.
template <class H> H ToHandle(uintptr_t value) {
    return reinterpret_cast<H>(value);
}
template <class H> uintptr_t FromHandle(H handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

} // namespace w32
