// Controls that send the same message: which records clash, and what the
// status line and the tooltips say about them.

#include "model/controlclashes.h"

#include <QtTest>

namespace {
// Control indices and mode numbers as the keyboard's tables give them.
constexpr int kVolume = 0;
constexpr int kCutoff = 1;
constexpr int kResonance = 2;
constexpr int kPad1 = 16;
constexpr int kPad2 = 17;
constexpr int kPad9 = 24;
constexpr int kSubstain = 36;
constexpr int kOff = 0;
constexpr int kPatchChange = 11;
constexpr int kChannel1 = 0;

using Groups = std::vector<std::vector<int>>;
} // namespace

class TestControlClashes : public QObject
{
    Q_OBJECT

private slots:
    void factorySettingsHaveNoClash()
    {
        const ControlClashes clashes{Settings()};
        QVERIFY(clashes.isEmpty());
        QCOMPARE(clashes.controlCount(), 0);
        QCOMPARE(clashSuffix(Settings()), QString());
        for (int control = 0; control < kControlCount; ++control) {
            QVERIFY(!clashes.clashes(control));
            QVERIFY(clashes.partnersText(control).isEmpty());
        }
    }

    void twoKnobsOnTheSameControllerAndChannelClash()
    {
        // Volume set to CC 74 like Cutoff, both on "Global" with the global
        // channel 1.
        Settings settings;
        settings.controls[kVolume].ccNumber = 74;
        ControlClashes clashes(settings);
        QCOMPARE(clashes.groups(), Groups({{kVolume, kCutoff}}));
        QCOMPARE(clashes.partnersText(kVolume), QStringLiteral("Clashes with Cutoff"));
        QCOMPARE(clashes.partnersText(kCutoff), QStringLiteral("Clashes with Volume"));
        QCOMPARE(clashSuffix(settings), QStringLiteral(", 2 controls clash"));

        // "Global" with the global channel 1 is channel 1.
        settings.controls[kCutoff].channel = kChannel1;
        QCOMPARE(ControlClashes(settings).groups(), Groups({{kVolume, kCutoff}}));
        // Not once the global channel is 2.
        settings.globalChannel = 1;
        QVERIFY(ControlClashes(settings).isEmpty());
        settings.globalChannel = 0;

        // "Off - Disabled" sends nothing, so it clashes with nothing.
        settings.controls[kVolume].mode = kOff;
        QVERIFY(ControlClashes(settings).isEmpty());
        QCOMPARE(clashSuffix(settings), QString());
    }

    void theKindOfMessageMustBeTheSame()
    {
        Settings settings;
        // Pad #1 plays note 36; a knob on controller 36 is another message.
        settings.controls[kVolume].ccNumber = 36;
        QVERIFY(ControlClashes(settings).isEmpty());

        // Pad #9 is "Switched", a controller: on 64 it meets the pedal.
        settings.controls[kPad9].ccNumber = 64;
        QCOMPARE(ControlClashes(settings).groups(), Groups({{kPad9, kSubstain}}));

        // Two pads on the same program change.
        settings = Settings();
        settings.controls[kPad1].mode = kPatchChange;
        settings.controls[kPad2].mode = kPatchChange;
        settings.controls[kPad2].ccNumber = 36;
        QCOMPARE(ControlClashes(settings).groups(), Groups({{kPad1, kPad2}}));
    }

    void groupsAreCountedWholeAndNumberZeroIsNoNumber()
    {
        Settings settings;
        settings.controls[kVolume].ccNumber = 74;
        settings.controls[kResonance].ccNumber = 74;
        settings.controls[kPad2].ccNumber = 36; // note 36 like Pad #1
        const ControlClashes clashes(settings);
        QCOMPARE(clashes.groups(), Groups({{kVolume, kCutoff, kResonance}, {kPad1, kPad2}}));
        QCOMPARE(clashes.controlCount(), 5);
        QCOMPARE(clashes.partnersOf(kCutoff), std::vector<int>({kVolume, kResonance}));
        QCOMPARE(clashes.partnersText(kCutoff), QStringLiteral("Clashes with Volume, Resonance"));
        QCOMPARE(clashSuffix(settings), QStringLiteral(", 5 controls clash"));

        // A number of 0 means none: such controls send nothing alike.
        Settings numberless;
        numberless.controls[kVolume].ccNumber = 0;
        numberless.controls[kCutoff].ccNumber = 0;
        QVERIFY(ControlClashes(numberless).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestControlClashes)
#include "tst_controlclashes.moc"
