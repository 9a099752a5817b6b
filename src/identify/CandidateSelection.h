#pragma once
#include "library/ProcessItem.h"

// The items one matcher stage selected, in candidate order. It is settled
// when it is not empty and every item has the Description of the first one
// (same code units, case-sensitive); its answer is then the first item. Only
// what that test needs is kept, so filling a selection allocates nothing.
class CandidateSelection {
public:
    void Add(const ProcessItem& item)
    {
        if (first_ == nullptr)
            first_ = &item;
        else if (item.Description != first_->Description)
            sameDescription_ = false;
    }
    bool Empty() const { return first_ == nullptr; }
    bool IsSettled() const { return first_ != nullptr && sameDescription_; }
    // The first item added; the selection must not be empty.
    const ProcessItem& First() const { return *first_; }

private:
    const ProcessItem* first_ = nullptr;
    bool sameDescription_ = true;
};
