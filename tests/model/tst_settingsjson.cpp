// Settings documents: what the factory record looks like, that every record
// whatever its bytes comes back byte for byte, and how bad documents are
// refused.

#include "model/controlcatalogue.h"
#include "model/settingsjson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtTest>

namespace {
QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}

Settings fromImage(const QByteArray &image)
{
    return Settings::fromBytes(image.constData());
}

QJsonObject controlOf(const QJsonObject &document, const char *label)
{
    return document.value("controls").toObject().value(label).toObject();
}
} // namespace

class TestSettingsJson : public QObject
{
    Q_OBJECT

private slots:
    void factoryRecordReadsAsTheEditorShowsIt()
    {
        const Settings factory;
        const QJsonObject document = SettingsJson::toObject(factory);
        QCOMPARE(document.value("format").toString(), QStringLiteral("telvir-settings"));
        QCOMPARE(document.value("globals").toObject(),
                 QJsonObject({{"globalChannel", "1"}, {"octave", "0"}, {"padCurve", "Linear"},
                              {"accel", "Slow"}, {"knobMode", "absolute"}, {"velocityCurve", "Linear"}}));
        QCOMPARE(controlOf(document, "Volume"),
                 QJsonObject({{"channel", "Global"}, {"ccNumber", 7}, {"mode", "Continuous"},
                              {"modeOption", "absolute"}, {"lsb", 0}, {"msb", 127}, {"val", 0}}));
        QCOMPARE(controlOf(document, "Pad #9").value("mode"), QJsonValue("Switched"));
        QCOMPARE(controlOf(document, "Pad #9").value("modeOption"), QJsonValue("gate"));
        // The octave buttons have no modes: their bytes stay numbers.
        QCOMPARE(controlOf(document, "OCT +").value("mode"), QJsonValue(0));
        QCOMPARE(controlOf(document, "Substain").value("ccNumber"), QJsonValue(64));

        // Labels are the keys, so no two may be alike.
        QCOMPARE(document.value("controls").toObject().size(), kControlCount);

        Settings back;
        back.globalChannel = 5;
        QVERIFY(SettingsJson::fromJson(SettingsJson::toJson(factory), &back));
        QCOMPARE(imageOf(back), imageOf(factory));
    }

    void everyRecordComesBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("every byte 0xFF") << QByteArray(int(Settings::kImageSize), '\xFF');
        // Channel 16 is "Global"; as a mode or an option it is no name.
        QTest::newRow("every byte 16") << QByteArray(int(Settings::kImageSize), '\x10');
        QByteArray counting;
        for (int offset = 0; offset < int(Settings::kImageSize); ++offset)
            counting.append(char((offset * 97 + 13) & 0xFF));
        QTest::newRow("each byte another value") << counting;
        Settings edited;
        edited.octave = 7;
        edited.controls[1].mode = 4;            // "NRPN / RPN", option "RPN"
        edited.controls[1].modeOption = 1;
        edited.controls[16].mode = 1;           // a pad in a knob's mode
        edited.controls[16].modeOption = 3;
        edited.controls[35].mode = 14;
        edited.controls[35].modeOption = 2;     // beyond "standard", "hold"
        QTest::newRow("named and unnamed mixed") << imageOf(edited);
    }

    void everyRecordComesBackByteForByte()
    {
        QFETCH(QByteArray, image);
        const Settings record = fromImage(image);
        const QByteArray json = SettingsJson::toJson(record);
        Settings back;
        QString error;
        QVERIFY2(SettingsJson::fromJson(json, &back, &error), qPrintable(error));
        QCOMPARE(imageOf(back), image);
        // One document per record: writing it again gives the same text.
        QCOMPARE(SettingsJson::toJson(back), json);
    }

    void outOfRangeBytesAreNumbersNeverHidden()
    {
        const QJsonObject document = SettingsJson::toObject(fromImage(QByteArray(int(Settings::kImageSize), '\xFF')));
        QCOMPARE(document.value("globals").toObject().value("accel"), QJsonValue(255));
        QCOMPARE(controlOf(document, "Pad #16"),
                 QJsonObject({{"channel", 255}, {"ccNumber", 255}, {"mode", 255}, {"modeOption", 255},
                              {"lsb", 255}, {"msb", 255}, {"val", 255}}));
    }

    void badDocumentsAreRefusedNamingTheLineOrTheField_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("error");
        // Edits of the factory document, whose line 4 is "Attack"'s first field.
        QTest::newRow("syntax") << QByteArray("\"ccNumber\": 73,") << QByteArray("\"ccNumber\": 73,,")
                                << "line 4: ";
        QTest::newRow("unknown control") << QByteArray("\"Pad #9\"") << QByteArray("\"Pad #17\"")
                                         << "controls: unknown control \"Pad #17\"";
        QTest::newRow("unknown field") << QByteArray("\"accel\"") << QByteArray("\"acel\"")
                                       << "globals: unknown field \"acel\"";
        QTest::newRow("no such channel") << QByteArray("\"globalChannel\": \"1\"")
                                         << QByteArray("\"globalChannel\": \"17\"")
                                         << "global \"globalChannel\": \"17\" is none of \"1\", \"2\"";
        QTest::newRow("number that has a name") << QByteArray("\"velocityCurve\": \"Linear\"")
                                                << QByteArray("\"velocityCurve\": 0")
                                                << "global \"velocityCurve\": 0 is written \"Linear\"";
        QTest::newRow("mode of another kind") << QByteArray("\"mode\": \"Pitch Bend\"")
                                              << QByteArray("\"mode\": \"Midi Note\"")
                                              << "control \"Pitch\", field \"mode\": \"Midi Note\" is none of "
                                                 "\"Off - Disabled\", \"Pitch Bend\"";
        QTest::newRow("not a byte") << QByteArray("\"ccNumber\": 64") << QByteArray("\"ccNumber\": 256")
                                    << "control \"Substain\", field \"ccNumber\": 256 does not fit in a byte";
        QTest::newRow("negative") << QByteArray("\"lsb\": 0") << QByteArray("\"lsb\": -1")
                                  << "control \"Attack\", field \"lsb\": -1 does not fit in a byte";
        QTest::newRow("fraction") << QByteArray("\"val\": 0") << QByteArray("\"val\": 1.5")
                                  << "control \"Attack\", field \"val\": 1.5 does not fit in a byte";
        QTest::newRow("not a number") << QByteArray("\"ccNumber\": 64") << QByteArray("\"ccNumber\": true")
                                       << "control \"Substain\", field \"ccNumber\": a name or a number is needed";
        // Qt would keep one of the two values without a word.
        QTest::newRow("field given twice") << QByteArray("\"knobMode\": \"absolute\",")
                                           << QByteArray("\"knobMode\": \"relative\",\n\"knobMode\": \"absolute\",")
                                           << "line 342: \"knobMode\" is given twice";
        QTest::newRow("control given twice") << QByteArray("\"Attack\": {")
                                             << QByteArray("\"Attack\": {\"val\": 1},\n\"Attack\": {")
                                             << "line 4: \"Attack\" is given twice";
        QTest::newRow("the same key spelt with an escape")
            << QByteArray("\"Attack\": {") << QByteArray("\"\\u0041ttack\": {\"val\": 1},\n\"Attack\": {")
            << "line 4: \"Attack\" is given twice";
        QTest::newRow("wrong format") << QByteArray("\"telvir-settings\"") << QByteArray("\"other\"")
                                      << "\"format\" is not \"telvir-settings\"";
    }

    void badDocumentsAreRefusedNamingTheLineOrTheField()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, error);
        QByteArray json = SettingsJson::toJson(Settings());
        QVERIFY(json.contains(from));
        json.replace(json.indexOf(from), from.size(), to);

        Settings settings;
        settings.controls[4].val = 9;
        const QByteArray before = imageOf(settings);
        QString problem;
        QVERIFY(!SettingsJson::fromJson(json, &settings, &problem));
        QVERIFY2(problem.startsWith(error), qPrintable(problem));
        QVERIFY(!problem.contains('\n'));
        QCOMPARE(imageOf(settings), before);
    }

    void aMissingFieldIsNamed()
    {
        QJsonObject document = SettingsJson::toObject(Settings());
        QJsonObject controls = document.value("controls").toObject();
        QJsonObject pad = controls.value("Pad #3").toObject();
        pad.remove("lsb");
        controls.insert("Pad #3", pad);
        document.insert("controls", controls);
        Settings settings;
        QString problem;
        QVERIFY(!SettingsJson::fromJson(QJsonDocument(document).toJson(), &settings, &problem));
        QCOMPARE(problem, QStringLiteral("control \"Pad #3\": no field \"lsb\""));
    }
};

QTEST_GUILESS_MAIN(TestSettingsJson)
#include "tst_settingsjson.moc"
