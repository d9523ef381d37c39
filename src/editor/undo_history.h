#pragma once
// The undo stack: one record per insertion or deletion, no merging, groups chained by a flag.

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

inline constexpr std::int32_t kUndoInsert = 1;
inline constexpr std::int32_t kUndoDeleteBack = 2;
inline constexpr std::int32_t kUndoDeleteForward = 4;
// Undone and redone together with the record above it.
inline constexpr std::int32_t kUndoGroupNext = 8;

// One change. saved holds the deleted characters, or for an insertion the inserted ones once it has
// been undone. The four selection values are restored by undo (before) and redo (after).
struct UndoRecord {
    std::int32_t flags = 0;
    std::int32_t offset = 0;
    std::int32_t count = 0;
    std::u16string saved;
    std::int32_t anchorBefore = 0;
    std::int32_t caretBefore = 0;
    std::int32_t anchorAfter = 0;
    std::int32_t caretAfter = 0;
};

// Records below Top() can be undone; records from Top() to the end are the redo tail. Pushing a record
// discards the redo tail.
class UndoHistory {
public:
    void Clear() noexcept {
        records_.clear();
        top_ = 0;
    }
    void Push(UndoRecord record) {
        records_.resize(static_cast<std::size_t>(top_));
        records_.push_back(std::move(record));
        ++top_;
    }
    [[nodiscard]] int Top() const noexcept { return top_; }
    [[nodiscard]] bool CanUndo() const noexcept { return top_ > 0; }
    [[nodiscard]] bool CanRedo() const noexcept { return top_ < static_cast<int>(records_.size()); }
    // The record that undo takes next, and the one redo takes next.
    [[nodiscard]] UndoRecord& Below() noexcept { return records_[static_cast<std::size_t>(top_ - 1)]; }
    [[nodiscard]] UndoRecord& AtTop() noexcept { return records_[static_cast<std::size_t>(top_)]; }
    void StepDown() noexcept { --top_; }
    void StepUp() noexcept { ++top_; }
    [[nodiscard]] int Size() const noexcept { return static_cast<int>(records_.size()); }
    [[nodiscard]] const UndoRecord& At(int index) const noexcept {
        return records_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<UndoRecord> records_;
    int top_ = 0;
};

}  // namespace tavrin
