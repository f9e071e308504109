#pragma once

// The parameters that the global group or one control exchanges, held in
// place: a read or a write goes through 38 of these lists, and a heap
// allocation for each would cost more than building the messages.

#include "protocol/parameterformat.h"

#include <array>
#include <cstddef>

// One parameter address with the wire value that a write sends for it.
struct ParameterValue
{
    int selector;
    int number;
    int value;
};

class ParameterList
{
public:
    // A control has seven sub-parameters, the global group six.
    static constexpr std::size_t kCapacity = kSubParameterCount;

    // Throws std::out_of_range when full rather than write past the end.
    void push_back(const ParameterValue &parameter)
    {
        items_.at(size_) = parameter;
        ++size_;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const ParameterValue &operator[](std::size_t index) const { return items_[index]; }
    const ParameterValue *begin() const { return items_.data(); }
    const ParameterValue *end() const { return items_.data() + size_; }

private:
    std::array<ParameterValue, kCapacity> items_{};
    std::size_t size_ = 0;
};
