#include "model/controlfields.h"

const std::array<ControlField, kControlFieldCount> kControlFields = {{
    {"channel", "Channel", &Setting::channel},
    {"ccNumber", "CC Number", &Setting::ccNumber},
    {"mode", "Mode", &Setting::mode},
    {"modeOption", "Mode Option", &Setting::modeOption},
    {"lsb", "Min / LSB", &Setting::lsb},
    {"msb", "Max / MSB", &Setting::msb},
    {"val", "Value", &Setting::val},
}};
