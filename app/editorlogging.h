#pragma once

#include <QLoggingCategory>

// The editor's own diagnostics. Like every "telvir.*" category it keeps its
// debug lines to itself unless --verbose or QT_LOGGING_RULES turns them on.
Q_DECLARE_LOGGING_CATEGORY(lcEditor)
