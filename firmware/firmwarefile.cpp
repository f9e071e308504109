#include "firmware/firmwarefile.h"

#include "firmware/firmwareprotocol.h"
#include "model/regularfile.h"

#include <QFile>

FirmwareFile::Status FirmwareFile::read(const QString &path, std::string *image)
{
    // A named pipe would block the open until something writes into it; a
    // device is read as far as the largest image and no further.
    if (RegularFile::waitsForAnotherProgram(path))
        return Status::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::Unreadable;

    const qint64 limit = qint64(FirmwareProtocol::kMaxImageSize) + 1;
    QByteArray bytes;
    // A device may hand out less than asked for at a time.
    while (bytes.size() < limit) {
        const QByteArray chunk = file.read(limit - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return Status::Unreadable;
    if (bytes.isEmpty())
        return Status::Empty;
    if (!FirmwareProtocol::fitsKeyboard(std::size_t(bytes.size())))
        return Status::TooLarge;
    *image = bytes.toStdString();
    return Status::Ok;
}
