// The bounded min-heap of waiting sparks, keyed on wakeTime (compared unsigned). Slot 0 is the root
// and its only child is slot 1; from slot 1 on it is an ordinary binary heap (children 2i and 2i+1).
// Drawing walks the slots in storage order, so the layout is part of what the show looks like.
// Each slot keeps the spark's wakeTime beside the pointer, taken when the spark is pushed: the sifts
// compare keys without touching the sparks, which lie scattered over the heap. A spark's wakeTime
// must not change while it waits (nothing changes it: only the pass that has popped it does).
#pragma once
#include <cstdint>
#include <memory>

class Spark;

class SparkQueue {
public:
    SparkQueue(const SparkQueue&) = delete;
    SparkQueue& operator=(const SparkQueue&) = delete;
    // Allocates capacity empty slots; when that fails the capacity is 0 and every push fails.
    explicit SparkQueue(uint32_t capacity);
    ~SparkQueue();

    // Takes the spark unless the queue is full (then false: the caller still owns it).
    bool Push(Spark* spark);
    // Removes and returns the spark that wakes first, or none when empty.
    Spark* PopMin();

    uint32_t Count() const { return sparkCount; }
    uint32_t Capacity() const { return capacity; }
    const Spark* At(uint32_t slot) const { return slots[slot].spark; }
    uint32_t RootWakeTime() const { return sparkCount > 0 ? slots[0].wakeTime : 0; }

private:
    struct Slot {
        uint32_t wakeTime;
        Spark* spark;
    };
    void SiftUp(uint32_t slot);
    void SiftDown(uint32_t slot);

    std::unique_ptr<Slot[]> slots;
    uint32_t sparkCount;
    uint32_t capacity;
};
