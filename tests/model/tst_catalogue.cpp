// The control catalogue and the factory settings record.

#include "model/controlcatalogue.h"
#include "model/settings.h"

#include <QtTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void kindOfCoversEveryIndexAndNothingElse()
    {
        QCOMPARE(kindOf(0), ControlKind::Knob);
        QCOMPARE(kindOf(15), ControlKind::Knob);
        QCOMPARE(kindOf(16), ControlKind::Pad);
        QCOMPARE(kindOf(31), ControlKind::Pad);
        QCOMPARE(kindOf(32), ControlKind::None);
        QCOMPARE(kindOf(33), ControlKind::None);
        QCOMPARE(kindOf(34), ControlKind::PitchWheel);
        QCOMPARE(kindOf(35), ControlKind::ModWheel);
        QCOMPARE(kindOf(36), ControlKind::SustainPedal);
        QCOMPARE(kindOf(37), ControlKind::None);
        QCOMPARE(kindOf(-1), ControlKind::None);
    }

    void labelsTellTheSustainKnobFromTheSubstainPedal()
    {
        QCOMPARE(QString(kControlLabels[0]), QString("Volume"));
        QCOMPARE(QString(kControlLabels[6]), QString("Sustain"));
        QCOMPARE(QString(kControlLabels[24]), QString("Pad #9"));
        QCOMPARE(QString(kControlLabels[34]), QString("Pitch"));
        QCOMPARE(QString(kControlLabels[35]), QString("Mod"));
        QCOMPARE(QString(kControlLabels[36]), QString("Substain"));
    }

    void identifiersAreDistinctAndLookUpTheirControl()
    {
        for (int i = 0; i < kControlCount; ++i)
            QCOMPARE(controlOfId(kControlIds[i]), i);
        QCOMPARE(controlOfId(0x41), 34); // Pitch
        QCOMPARE(controlOfId(0x40), 35); // Mod
        QCOMPARE(controlOfId(0x70), 16);
        QCOMPARE(controlOfId(0x7F), 31);
        QCOMPARE(controlOfId(0x12), -1);
        QCOMPARE(controlOfId(0x22), -1);
        QCOMPARE(controlOfId(-1), -1);
    }

    void optionsOfModes()
    {
        for (int mode : {0, 7, 11, 2, 3, 5, 6, 10, 13, 15, -1})
            QVERIFY2(optionsOfMode(mode).isEmpty(), qPrintable(QString::number(mode)));
        QCOMPARE(optionsOfMode(1), QStringList({"absolute", "relative #1", "relative #2", "relative #3"}));
        QCOMPARE(optionsOfMode(4), QStringList({"NRPN", "RPN"}));
        QCOMPARE(optionsOfMode(8), optionsOfMode(9));
        QCOMPARE(optionsOfMode(9).at(1), QString("gate"));
        QCOMPARE(optionsOfMode(12), optionsOfMode(14));
        QCOMPARE(optionsOfMode(14), QStringList({"standard", "hold"}));
    }

    void allowedModesStartWithOffAndNeverShowNull()
    {
        const std::vector<int> knob{0, 1, 4}, pad{0, 7, 8, 9, 11}, sustain{0, 8, 9};
        QCOMPARE(kAllowedModes[int(ControlKind::Knob)], knob);
        QCOMPARE(kAllowedModes[int(ControlKind::Pad)], pad);
        QCOMPARE(kAllowedModes[int(ControlKind::SustainPedal)], sustain);
        for (const auto &modes : kAllowedModes) {
            QCOMPARE(modes.front(), 0);
            for (int mode : modes)
                QVERIFY(QString(kModeNames[mode]) != "NULL");
        }
        QCOMPARE(QString(kModeNames[0]), QString("Off - Disabled"));
        QCOMPARE(QString(kModeNames[14]), QString("Aftertouch"));
    }

    void factoryImageBytes()
    {
        const Settings settings;
        const QByteArray image(settings.image(), int(Settings::kImageSize));
        QCOMPARE(image.size(), 265);
        QCOMPARE(image.left(6), QByteArray(6, '\0'));
        QCOMPARE(image.mid(6, 7), QByteArray::fromHex("10007f07000100"));   // Volume
        QCOMPARE(image.right(7), QByteArray::fromHex("10007f40000801"));    // Substain
        QCOMPARE(image.mid(6 + 7 * 24, 7), QByteArray::fromHex("10007f16000801")); // Pad #9
        QCOMPARE(image.mid(6 + 7 * 32, 7), QByteArray::fromHex("10007f00000000")); // OCT -
        QCOMPARE(image.mid(6 + 7 * 34, 7), QByteArray::fromHex("10007f00000c00")); // Pitch
        QCOMPARE(image.mid(6 + 7 * 35, 7), QByteArray::fromHex("10007f01000e00")); // Mod
    }

    void factoryPadsPlayNotesInTheLowBankAndSwitchInTheHighBank()
    {
        const Settings settings;
        for (int pad = 0; pad < 8; ++pad) {
            const Setting &low = settings.controls[16 + pad];
            const Setting &high = settings.controls[24 + pad];
            QCOMPARE(int(low.ccNumber), 36 + pad);
            QCOMPARE(int(low.mode), 9);
            QCOMPARE(int(low.modeOption), 1);
            QCOMPARE(int(high.ccNumber), 22 + pad);
            QCOMPARE(int(high.mode), 8);
            QCOMPARE(int(high.modeOption), 1);
        }
    }

    void setDefaultsOnAnOctaveButtonChangesOnlyNumberAndValue()
    {
        Setting setting;
        setting.channel = 3;
        setting.lsb = 5;
        setting.msb = 6;
        setting.ccNumber = 99;
        setting.val = 42;
        setting.mode = 7;
        setting.modeOption = 2;
        setting.setDefaults(32);
        QCOMPARE(int(setting.ccNumber), 0);
        QCOMPARE(int(setting.val), 0);
        QCOMPARE(int(setting.channel), 3);
        QCOMPARE(int(setting.lsb), 5);
        QCOMPARE(int(setting.msb), 6);
        QCOMPARE(int(setting.mode), 7);
        QCOMPARE(int(setting.modeOption), 2);
    }

    void fromBytesCopiesTheWholeImage()
    {
        QByteArray bytes(265, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + 3);
        const Settings settings = Settings::fromBytes(bytes.constData());
        QCOMPARE(QByteArray(settings.image(), 265), bytes);
        const Settings copy = settings;
        QCOMPARE(QByteArray(copy.image(), 265), bytes);
    }
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
