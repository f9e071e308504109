#include "app/editorlogging.h"

Q_LOGGING_CATEGORY(lcEditor, "telvir.editor", QtWarningMsg)
