// Which language the locale chooses, and what the messages read in it:
// whole sentences whose numbers and names land where each language puts
// them, and English as it always was when no translation is loaded.

#include "commands/keyboardoutcome.h"
#include "model/settings.h"
#include "protocol/messagedecoder.h"
#include "translations/userlanguage.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

namespace {
std::string wire(const QByteArray &hex)
{
    return QByteArray::fromHex(hex).toStdString();
}

KeyboardOutcome settingsRead(int count)
{
    KeyboardOutcome outcome;
    outcome.kind = KeyboardOutcome::Kind::SettingsRead;
    outcome.count = count;
    return outcome;
}

KeyboardOutcome refused(const QString &device, int count, int total)
{
    KeyboardOutcome outcome;
    outcome.kind = KeyboardOutcome::Kind::PortRefused;
    outcome.deviceName = device;
    outcome.count = count;
    outcome.total = total;
    return outcome;
}

// One language's translator on the application while it lives.
class Language
{
public:
    explicit Language(const QString &code)
    {
        loaded_ = translator_.load(QStringLiteral(":/i18n/telvir_%1.qm").arg(code));
        QCoreApplication::installTranslator(&translator_);
    }
    ~Language() { QCoreApplication::removeTranslator(&translator_); }
    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};
} // namespace

class TestUserLanguage : public QObject
{
    Q_OBJECT

private slots:
    void theProgramsShipGermanFrenchAndSpanish()
    {
        const QStringList shipped{QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")};
        QCOMPARE(UserLanguage::shipped(), shipped);
    }

    void theLocaleChoosesAShippedLanguageAndEnglishOtherwise_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::newRow("German of Germany") << "de_DE" << "de";
        QTest::newRow("German of Austria") << "de_AT" << "de";
        QTest::newRow("French of Canada") << "fr_CA" << "fr";
        QTest::newRow("Spanish of Mexico") << "es_MX" << "es";
        QTest::newRow("English") << "en_US" << "";
        QTest::newRow("C") << "C" << "";
        QTest::newRow("Italian, not shipped") << "it_IT" << "";
    }
    void theLocaleChoosesAShippedLanguageAndEnglishOtherwise()
    {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(UserLanguage::chosen(QLocale(locale)), language);
    }

    void withoutATranslationTheMessagesAreTheEnglishOnes()
    {
        QCOMPARE(outcomeMessage(settingsRead(1)), QStringLiteral("Successfully recv 1 settings."));
        QCOMPARE(outcomeMessage(refused(QStringLiteral("Telvir"), 250, 258)),
                 QStringLiteral("The port of device 'Telvir' refused 8 of 258 messages. "
                                "The keyboard may hold only part of these settings."));
        QCOMPARE(outcomeTitle(settingsRead(258)), QStringLiteral("OK"));
    }

    void aNameThatLooksLikeAPlaceholderIsShownAsItIs()
    {
        QCOMPARE(outcomeMessage(refused(QStringLiteral("Desk %2 %1"), 250, 258)),
                 QStringLiteral("The port of device 'Desk %2 %1' refused 8 of 258 messages. "
                                "The keyboard may hold only part of these settings."));
    }

    void aCountTakesTheLanguagesSingularOrPlural()
    {
        const Language german(QStringLiteral("de"));
        QVERIFY(german.loaded());
        QCOMPARE(outcomeMessage(settingsRead(1)), QStringLiteral("1 Einstellung erfolgreich empfangen."));
        QCOMPARE(outcomeMessage(settingsRead(258)), QStringLiteral("258 Einstellungen erfolgreich empfangen."));
        QCOMPARE(outcomeTitle(refused(QString(), 0, 1)), QStringLiteral("Fehler"));
    }

    void frenchCountsNoneAsOne()
    {
        const Language french(QStringLiteral("fr"));
        QVERIFY(french.loaded());
        QCOMPARE(outcomeMessage(settingsRead(0)), QStringLiteral("0 réglage reçu avec succès."));
        QCOMPARE(outcomeMessage(settingsRead(2)), QStringLiteral("2 réglages reçus avec succès."));
    }

    void eachPartLandsInItsPlaceInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("de") << "de"
                            << "Der Port von Gerät 'Pult' hat 8 von 258 Nachrichten abgelehnt. "
                               "Das Keyboard hat womöglich nur einen Teil dieser Einstellungen.";
        QTest::newRow("fr") << "fr"
                            << "Le port de l'appareil 'Pult' a refusé 8 messages sur 258. "
                               "Le clavier ne contient peut-être qu'une partie de ces réglages.";
        QTest::newRow("es") << "es"
                            << "El puerto del dispositivo 'Pult' rechazó 8 de 258 mensajes. "
                               "Puede que el teclado solo tenga parte de estos ajustes.";
    }
    void eachPartLandsInItsPlaceInEveryLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, message);
        const Language chosen(language);
        QVERIFY(chosen.loaded());
        QCOMPARE(outcomeMessage(refused(QStringLiteral("Pult"), 250, 258)), message);
    }

    // The monitor in German: musicians' words ("Control Change", "Note On")
    // stay, the rest and the settings' own names are German, the control's
    // name is the keyboard's.
    void theMonitorSpeaksAsGermanMusiciansDo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("fromKeyboard");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("control change") << QByteArray("b04a40") << false << "Control Change Kan. 1, CC 74, Wert 64";
        QTest::newRow("note on") << QByteArray("913c64") << true << "Note On Kan. 2, C3, Velocity 100";
        QTest::newRow("pad mode") << QByteArray("f000206b7f420200017a08f7") << false
                                  << "setze Pad #3 / Pad #11, Modus = Geschaltet, Speicher workArea";
        QTest::newRow("knob mode") << QByteArray("f000206b7f42020040027ff7") << false
                                   << "setze global Reglermodus = relativ, Speicher workArea";
        QTest::newRow("cutoff reply") << QByteArray("f000206b7f42000003014af7") << true
                                      << "Antwort Cutoff, CC-Nummer = 74";
        QTest::newRow("foreign exclusive") << QByteArray("f07e7f0601f7") << true << "System Exclusive, 6 Bytes";
    }
    void theMonitorSpeaksAsGermanMusiciansDo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, fromKeyboard);
        QFETCH(QString, meaning);
        const Language german(QStringLiteral("de"));
        QVERIFY(german.loaded());
        QCOMPARE(MessageDecoder::describe(wire(bytes), fromKeyboard, Settings()), meaning);
    }
};

QTEST_GUILESS_MAIN(TestUserLanguage)
#include "tst_userlanguage.moc"
