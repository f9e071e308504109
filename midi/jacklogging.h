#pragma once

#include <QLoggingCategory>

// The JACK client's diagnostics, shared by its parts. Like every "telvir.*"
// category it keeps its debug lines to itself unless --verbose or
// QT_LOGGING_RULES turns them on.
Q_DECLARE_LOGGING_CATEGORY(lcJack)
