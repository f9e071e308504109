#include "midi/jacklogging.h"

Q_LOGGING_CATEGORY(lcJack, "telvir.jack", QtWarningMsg)
