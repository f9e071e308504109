#pragma once

// Test-only: drives a started editor from a JSON file named by the
// environment variable TELVIR_EDITOR_TEST_SCRIPT, so that a test can edit
// in a real editor process and then kill it. Without the variable nothing
// of it exists. It answers every message box (Discard where there is one,
// else OK), loads "load", makes the "edits" ([control, field, position]
// as in the panel), selects "select", chooses memory "memory", and prints
// "kept" once a snapshot of all that is stored; then closes the window
// when "close" is true.

#include <QObject>
#include <QTimer>

#include <memory>

class MainWindow;

class EditorTestScript : public QObject
{
    Q_OBJECT

public:
    static std::unique_ptr<EditorTestScript> fromEnvironment();

    void run(MainWindow &window);

private:
    explicit EditorTestScript(const QByteArray &script);
    void answerBox();

    QByteArray script_;
    QTimer boxTimer_;
    bool reported_ = false;
};
