#include "model/editorsnapshot.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

namespace {
const QByteArray kMagic("TELVIR-SNAPSHOT");
constexpr quint8 kFormatVersion = 1;
constexpr auto kHashMethod = QCryptographicHash::Sha256;

int hashSize()
{
    return QCryptographicHash::hashLength(kHashMethod);
}
} // namespace

QByteArray EditorSnapshot::encode() const
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_12);
        out << kMagic << kFormatVersion << QByteArray(record.image(), int(Settings::kImageSize)) << fileName
            << qint32(selectedControl) << qint32(memorySlot) << qint64(savedAt.toMSecsSinceEpoch());
    }
    return body + QCryptographicHash::hash(body, kHashMethod);
}

std::optional<EditorSnapshot> EditorSnapshot::decode(const QByteArray &bytes)
{
    if (bytes.size() <= hashSize())
        return std::nullopt;
    const QByteArray body = bytes.left(bytes.size() - hashSize());
    if (QCryptographicHash::hash(body, kHashMethod) != bytes.right(hashSize()))
        return std::nullopt;
    QDataStream in(body);
    in.setVersion(QDataStream::Qt_5_12);
    QByteArray magic;
    quint8 version = 0;
    QByteArray image;
    EditorSnapshot snapshot;
    qint32 control = -1;
    qint32 memory = 0;
    qint64 savedMs = 0;
    in >> magic >> version >> image >> snapshot.fileName >> control >> memory >> savedMs;
    if (in.status() != QDataStream::Ok || !in.atEnd() || magic != kMagic || version != kFormatVersion
        || image.size() != int(Settings::kImageSize) || control < -1 || control >= kControlCount || memory < 0)
        return std::nullopt;
    snapshot.record = Settings::fromBytes(image.constData());
    snapshot.selectedControl = control;
    snapshot.memorySlot = memory;
    snapshot.savedAt = QDateTime::fromMSecsSinceEpoch(savedMs);
    return snapshot;
}
