#pragma once

// The private copy of an outgoing System Exclusive message. A read or a
// write sends hundreds of messages back to back, so the block is kept and
// reused instead of allocated for each one. A block that a stuck port may
// still read is abandoned to it: never freed, never handed out again.

#include <cstddef>
#include <memory>

class MessageCopyBuffer
{
public:
    // At least `size` bytes, valid until the next take() or abandon().
    char *take(std::size_t size)
    {
        if (size > capacity_) {
            block_.reset(new char[size]);
            capacity_ = size;
        }
        return block_.get();
    }

    void abandon()
    {
        static_cast<void>(block_.release());
        capacity_ = 0;
    }

private:
    std::unique_ptr<char[]> block_;
    std::size_t capacity_ = 0;
};
