#include "midi/searchorder.h"

#include <algorithm>

namespace {
const std::string kJackBridgeClient = "a2j";
// ALSA's loopback port: it echoes the probe and never answers it.
const std::string kThroughPortPrefix = "Midi Through";
// How a device's two directions are often told apart in its client name.
const std::string kDirectionSuffixes[] = {" Output", " Input", " Out", " In"};

bool endsWith(const std::string &text, const std::string &suffix)
{
    return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "Client:port" gives "Client". JACK's ALSA bridge puts every device under
// one client, "a2j:Device [24] (capture): port", so there the device is
// the part after the client.
std::string devicePart(const std::string &name)
{
    const std::size_t colon = name.find(':');
    std::string part = name.substr(0, colon);
    if (part == kJackBridgeClient && colon != std::string::npos) {
        const std::string rest = name.substr(colon + 1);
        part = rest.substr(0, rest.find(" ("));
    }
    for (const std::string &suffix : kDirectionSuffixes) {
        if (endsWith(part, suffix)) {
            part.resize(part.size() - suffix.size());
            break;
        }
    }
    return part;
}

bool isThroughPort(const std::string &name)
{
    return name.compare(0, kThroughPortPrefix.size(), kThroughPortPrefix) == 0;
}
} // namespace

bool sameDevice(const std::string &output, const std::string &input)
{
    if (isThroughPort(output) || isThroughPort(input))
        return false;
    if (output == input)
        return true;
    const std::string device = devicePart(output);
    return !device.empty() && device == devicePart(input);
}

std::vector<PortNumbers> listedPairs(const std::vector<std::string> &outputs, const std::vector<std::string> &inputs,
                                     const std::vector<PortPair> &pairs)
{
    std::vector<PortNumbers> listed;
    for (const PortPair &pair : pairs) {
        const auto output = std::find(outputs.begin(), outputs.end(), pair.output);
        const auto input = std::find(inputs.begin(), inputs.end(), pair.input);
        const PortNumbers numbers{unsigned(output - outputs.begin()), unsigned(input - inputs.begin())};
        if (output != outputs.end() && input != inputs.end()
            && std::find(listed.begin(), listed.end(), numbers) == listed.end())
            listed.push_back(numbers);
    }
    return listed;
}
