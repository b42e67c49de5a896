#include "grid/GridCellMemory.h"

#include <cstdint>
#include <mutex>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define KIVO_CELLS_ON_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIVO_CELLS_ON_HEAP 1
#endif
#endif

namespace gridcellmemory {
namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kClasses = kMaxPooled / kStep;

// The head of a slab; its slots follow, all of one size.
struct Slab {
    Slab* prev;
    Slab* next;             // in its size's list of slabs with room
    void* free;             // freed slots, each holding the next
    char* bump;             // the first slot never handed out
    char* end;
    std::size_t slot;
    std::size_t live;
    std::size_t sizeClass;
    bool listed;
};

constexpr std::size_t kHead = (sizeof(Slab) + kStep - 1) / kStep * kStep;

struct Pool {
    std::mutex lock;
    Slab* withRoom[kClasses] = {};
    std::size_t slabs = 0;
};

Pool& ThePool()
{
    // Never destroyed: cells of objects that outlive static destruction
    // still free into it.
    static Pool* pool = new Pool;
    return *pool;
}

bool HasRoom(const Slab* s)
{
    return s->free != nullptr || static_cast<std::size_t>(s->end - s->bump) >= s->slot;
}

void Link(Pool& pool, Slab* s)
{
    Slab*& head = pool.withRoom[s->sizeClass];
    s->prev = nullptr;
    s->next = head;
    if (head != nullptr)
        head->prev = s;
    head = s;
    s->listed = true;
}

void Unlink(Pool& pool, Slab* s)
{
    if (s->prev != nullptr)
        s->prev->next = s->next;
    else
        pool.withRoom[s->sizeClass] = s->next;
    if (s->next != nullptr)
        s->next->prev = s->prev;
    s->prev = s->next = nullptr;
    s->listed = false;
}

Slab* NewSlab(Pool& pool, std::size_t sizeClass)
{
    void* memory = ::operator new(kSlabSize, std::align_val_t(kSlabSize));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Advice only: without large pages the slab fills page by page.
    ::madvise(memory, kSlabSize, MADV_HUGEPAGE);
#endif
    Slab* s = static_cast<Slab*>(memory);
    s->prev = s->next = nullptr;
    s->free = nullptr;
    s->bump = static_cast<char*>(memory) + kHead;
    s->end = static_cast<char*>(memory) + kSlabSize;
    s->slot = (sizeClass + 1) * kStep;
    s->live = 0;
    s->sizeClass = sizeClass;
    s->listed = false;
    ++pool.slabs;
    Link(pool, s);
    return s;
}

}  // namespace

void* Allocate(std::size_t size)
{
    if (size > kMaxPooled)
        return ::operator new(size);
    const std::size_t sizeClass = size == 0 ? 0 : (size - 1) / kStep;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    Slab* s = pool.withRoom[sizeClass];
    if (s == nullptr)
        s = NewSlab(pool, sizeClass);
    void* p;
    if (s->free != nullptr) {
        p = s->free;
        s->free = *static_cast<void**>(p);
    } else {
        p = s->bump;
        s->bump += s->slot;
    }
    ++s->live;
    if (!HasRoom(s))
        Unlink(pool, s);
    return p;
}

void Free(void* p, std::size_t size) noexcept
{
    if (p == nullptr)
        return;
    if (size > kMaxPooled) {
        ::operator delete(p);
        return;
    }
    Slab* s = reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(p) & ~(kSlabSize - 1));
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    *static_cast<void**>(p) = s->free;
    s->free = p;
    --s->live;
    if (!s->listed)
        Link(pool, s);
    if (s->live == 0 && (s->prev != nullptr || s->next != nullptr)) {
        // Empty, and not the only slab with room of its size: back to the heap.
        Unlink(pool, s);
        --pool.slabs;
        ::operator delete(static_cast<void*>(s), std::align_val_t(kSlabSize));
    }
}

void* AllocateCell(std::size_t size)
{
#ifdef KIVO_CELLS_ON_HEAP
    return ::operator new(size);
#else
    return Allocate(size);
#endif
}

void FreeCell(void* p, std::size_t size) noexcept
{
#ifdef KIVO_CELLS_ON_HEAP
    (void)size;
    ::operator delete(p);
#else
    Free(p, size);
#endif
}

std::size_t SlabCount()
{
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> hold(pool.lock);
    return pool.slabs;
}

}  // namespace gridcellmemory
