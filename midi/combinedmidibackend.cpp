#include "midi/combinedmidibackend.h"

namespace {
template <typename List>
std::vector<std::string> combine(const std::vector<std::shared_ptr<MidiBackend>> &parts, List list,
                                 std::vector<std::size_t> &counts)
{
    std::vector<std::string> names;
    counts.clear();
    for (const std::shared_ptr<MidiBackend> &part : parts) {
        const std::vector<std::string> partNames = list(*part);
        counts.push_back(partNames.size());
        names.insert(names.end(), partNames.begin(), partNames.end());
    }
    return names;
}
} // namespace

CombinedMidiBackend::CombinedMidiBackend(std::vector<std::shared_ptr<MidiBackend>> parts)
    : parts_(std::move(parts))
{
}

std::vector<std::string> CombinedMidiBackend::outputPortNames(bool refresh)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return combine(parts_, [refresh](MidiBackend &part) { return part.outputPortNames(refresh); }, outputCounts_);
}

std::vector<std::string> CombinedMidiBackend::inputPortNames(bool refresh)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return combine(parts_, [refresh](MidiBackend &part) { return part.inputPortNames(refresh); }, inputCounts_);
}

std::vector<std::string> CombinedMidiBackend::presentPortNames(bool outputs)
{
    std::vector<std::string> names;
    for (const std::shared_ptr<MidiBackend> &part : parts_) {
        const std::vector<std::string> partNames = part->presentPortNames(outputs);
        names.insert(names.end(), partNames.begin(), partNames.end());
    }
    return names;
}

MidiBackend *CombinedMidiBackend::partOf(const std::vector<std::size_t> &counts, UINT &port)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t part = 0; part < counts.size(); ++part) {
        if (port < counts[part])
            return parts_[part].get();
        port -= UINT(counts[part]);
    }
    return nullptr;
}

std::unique_ptr<MidiBackendOutput> CombinedMidiBackend::openOutput(UINT port, MMRESULT &result)
{
    MidiBackend *part = partOf(outputCounts_, port);
    if (!part) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    return part->openOutput(port, result);
}

std::unique_ptr<MidiBackendInput> CombinedMidiBackend::openInput(UINT port, MidiInputSink &sink, MMRESULT &result)
{
    MidiBackend *part = partOf(inputCounts_, port);
    if (!part) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    return part->openInput(port, sink, result);
}

std::string CombinedMidiBackend::whyNoPorts()
{
    std::string reasons;
    for (const std::shared_ptr<MidiBackend> &part : parts_) {
        const std::string reason = part->whyNoPorts();
        if (reason.empty())
            continue;
        if (!reasons.empty())
            reasons += "; ";
        reasons += reason;
    }
    return reasons;
}
