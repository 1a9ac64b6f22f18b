// The program's one container: a growable, ordered array of element pointers. It owns its storage,
// never its elements, except that DeleteAll deletes them. Every list starts with capacity 1 and
// doubles when full, so pushes cost amortised constant time.
#pragma once

#include <cassert>
#include <cstring>

template <class T>
class ObjectList {
public:
    explicit ObjectList(int capacity = 1) : capacity_(capacity > 0 ? capacity : 0) {
        if (capacity_ > 0) entries_ = NewEntries(capacity_);
    }
    ~ObjectList() { delete[] entries_; }
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;

    T* Push(T* element) {
        // A list made with capacity 0 would otherwise never grow.
        if (count_ == capacity_) Grow(capacity_ > 0 ? capacity_ * 2 : 1);
        entries_[count_++] = element;
        return element;
    }

    void Grow(int n) {
        if (capacity_ >= n || n == 0) return;
        T** grown = NewEntries(n);
        if (entries_ != nullptr) std::memcpy(grown, entries_, sizeof(T*) * capacity_);
        delete[] entries_;
        entries_ = grown;
        capacity_ = n;
    }

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    int Cursor() const { return cursor_; }

    T* At(int index) const {
        assert(index >= 0 && index < count_);
        return entries_[index];
    }

    void Set(int index, T* element) {
        assert(index >= 0 && index < count_);
        entries_[index] = element;
    }

    // Unlinks the first entry equal to the pointer; later entries move down.
    void Remove(T* element) {
        for (int i = 0; i < count_; ++i) {
            if (entries_[i] != element) continue;
            std::memmove(entries_ + i, entries_ + i + 1, sizeof(T*) * (count_ - i - 1));
            entries_[--count_] = nullptr;
            if (i <= cursor_) --cursor_;
            return;
        }
    }

    // Deletes every element, then empties the list; the buffer is kept for reuse.
    void DeleteAll() {
        for (int i = 0; i < count_; ++i) {
            delete entries_[i];
            entries_[i] = nullptr;
        }
        count_ = 0;
        cursor_ = 0;
    }

    // Kept for a complete interface; unused by this game.
    // Forgets every element without deleting any.
    void Clear() {
        for (int i = 0; i < capacity_; ++i) entries_[i] = nullptr;
        count_ = 0;
    }

private:
    static T** NewEntries(int n) { return new T*[n](); }

    int count_ = 0;
    int capacity_ = 0;
    int cursor_ = 0;
    T** entries_ = nullptr;
};
