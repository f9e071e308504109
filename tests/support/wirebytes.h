#pragma once

// Byte strings for tests, written as hex the way the protocol documents
// them ("f0 7e 7f 0a 0b f7"), and random firmware images.

#include <QByteArray>
#include <QRandomGenerator>

#include <cstddef>
#include <string>

inline std::string wire(const QByteArray &hex)
{
    return QByteArray::fromHex(hex).toStdString();
}

inline QByteArray hexOf(const std::string &bytes)
{
    return QByteArray::fromStdString(bytes).toHex(' ');
}

inline std::string randomImage(std::size_t size, quint32 seed)
{
    QRandomGenerator random(seed);
    std::string image(size, '\0');
    for (char &byte : image)
        byte = static_cast<char>(random.bounded(256));
    return image;
}
