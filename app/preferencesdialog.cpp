#include "app/preferencesdialog.h"

#include "app/editorpreferences.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kMaxMessagePaceMs = 1000;
} // namespace

PreferencesDialog::PreferencesDialog(QWidget *parent)
    : QDialog(parent),
      liveAtStart_(new QCheckBox(tr("Turn Live on at start"), this)),
      followKeyboard_(new QCheckBox(tr("Follow the keyboard"), this)),
      messagePace_(new QSpinBox(this))
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("Preferences"));

    auto *boxes = new QGroupBox(tr("Messages"), this);
    auto *boxLayout = new QVBoxLayout(boxes);
    auto *hint = new QLabel(tr("Untick a message to stop showing it; tick one you silenced with "
                               "\"Don't show this again\" to see it again."),
                            boxes);
    hint->setWordWrap(true);
    boxLayout->addWidget(hint);
    for (const KeyboardOutcome::Kind kind : EditorPreferences::silenceableBoxes()) {
        QString text;
        QString name;
        switch (kind) {
        case KeyboardOutcome::Kind::Linked:
            text = tr("Show that the keyboard was linked");
            name = QStringLiteral("showLinkedBox");
            break;
        case KeyboardOutcome::Kind::SettingsRead:
            text = tr("Show how many settings were read");
            name = QStringLiteral("showSettingsReadBox");
            break;
        default:
            text = tr("Show that the settings were sent");
            name = QStringLiteral("showSentBox");
            break;
        }
        auto *check = new QCheckBox(text, boxes);
        check->setObjectName(name);
        check->setChecked(!EditorPreferences::isBoxSilenced(kind));
        boxLayout->addWidget(check);
        boxChecks_.emplace_back(kind, check);
    }

    liveAtStart_->setObjectName(QStringLiteral("liveAtStart"));
    liveAtStart_->setToolTip(tr("Send every change to the keyboard's workArea from the start"));
    liveAtStart_->setChecked(EditorPreferences::liveSending());
    followKeyboard_->setObjectName(QStringLiteral("followKeyboard"));
    followKeyboard_->setToolTip(tr("A control touched on the keyboard is shown in the editor"));
    followKeyboard_->setChecked(EditorPreferences::followKeyboard());
    messagePace_->setObjectName(QStringLiteral("messagePace"));
    messagePace_->setRange(0, kMaxMessagePaceMs);
    messagePace_->setSuffix(tr(" ms"));
    messagePace_->setToolTip(tr("For keyboards that miss messages sent back to back"));
    messagePace_->setValue(EditorPreferences::messagePaceMs());

    auto *keyboard = new QGroupBox(tr("Keyboard"), this);
    auto *keyboardLayout = new QFormLayout(keyboard);
    keyboardLayout->addRow(liveAtStart_);
    keyboardLayout->addRow(followKeyboard_);
    auto *paceLabel = new QLabel(tr("Pause between messages:"), keyboard);
    paceLabel->setBuddy(messagePace_);
    keyboardLayout->addRow(paceLabel, messagePace_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(boxes);
    layout->addWidget(keyboard);
    layout->addWidget(buttons);
}

void PreferencesDialog::keep() const
{
    for (const auto &[kind, check] : boxChecks_)
        EditorPreferences::setBoxSilenced(kind, !check->isChecked());
    EditorPreferences::setLiveSending(liveAtStart_->isChecked());
    EditorPreferences::setFollowKeyboard(followKeyboard_->isChecked());
    EditorPreferences::setMessagePaceMs(messagePace_->value());
}
