#pragma once

// A main window that found a keyboard and read it at start-up, its two
// success boxes answered; null when start-up showed anything else.

#include "dialoganswerer.h"

#include "app/mainwindow.h"

#include <memory>

inline std::unique_ptr<MainWindow> linkedWindow()
{
    DialogAnswerer answerer;
    answerer.pressInMessageBox();
    answerer.pressInMessageBox();
    auto window = std::make_unique<MainWindow>();
    if (!answerer.problems.isEmpty() || answerer.messages.size() != 2)
        return nullptr;
    return window;
}
