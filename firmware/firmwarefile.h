#pragma once

// Reading the firmware file the user picked. The file is sent byte for
// byte; all that is checked is that the keyboard can take it.

#include <QString>

#include <string>

class FirmwareFile
{
public:
    enum class Status {
        Ok,
        Unreadable, // could not be opened or read
        Empty,
        TooLarge,   // more than the 2047 blocks an announcement can carry
    };

    // On Ok, *image holds the whole file; otherwise it is left as it was.
    // Reads at most one byte beyond the largest image, so a huge file or a
    // device that never ends is not read whole. A named pipe or a socket is
    // Unreadable: opening one waits for another program.
    static Status read(const QString &path, std::string *image);
};
