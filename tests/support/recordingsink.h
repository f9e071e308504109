#pragma once

// A backend input's sink for tests: keeps every message it is handed, in
// order, from whatever thread hands it over.

#include "midi/midibackend.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingSink : public MidiInputSink
{
public:
    void receive(const unsigned char *bytes, std::size_t size) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.emplace_back(reinterpret_cast<const char *>(bytes), size);
    }
    void waitUntilHandled() override {}

    std::vector<std::string> received()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> received_;
};
