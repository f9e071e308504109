#include "model/setting.h"

#include "model/controlcatalogue.h"

Setting::Setting()
    : channel(kGlobalChannel), lsb(0), msb(127), ccNumber(0), val(0), mode(0), modeOption(0)
{
}

void Setting::setDefaults(int index)
{
    switch (kindOf(index)) {
    case ControlKind::Knob:
        mode = 1;          // Continuous
        modeOption = 0;    // absolute
        break;
    case ControlKind::Pad:
        mode = index < 24 ? 9 : 8; // pads 1..8 play notes, pads 9..16 switch
        modeOption = 1;            // gate
        break;
    case ControlKind::PitchWheel:
        mode = 12;         // Pitch Bend
        modeOption = 0;    // standard
        break;
    case ControlKind::ModWheel:
        mode = 14;         // Aftertouch
        modeOption = 0;    // standard
        break;
    case ControlKind::SustainPedal:
        mode = 8;          // Switched
        modeOption = 1;    // gate
        break;
    case ControlKind::None:
        break;
    }
    if (index >= 0 && index < kControlCount)
        ccNumber = kDefaultNumbers[index];
    val = 0;
}
