// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/song_face.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <climits>
#include <mutex>

namespace {

std::mutex& SongFaceMutex()
{
    static std::mutex mutex;
    return mutex;
}

QString& SongFamily()
{
    static QString family;
    return family;
}

} // namespace

bool RegisterSongFace(const unsigned char* data, std::size_t size)
{
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX) || qGuiApp == nullptr)
        return false;
    // Raw data: the font database reads the caller's bytes in place, without a copy.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int id = QFontDatabase::addApplicationFontFromData(bytes);
    if (id < 0)
        return false;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        QFontDatabase::removeApplicationFont(id);
        return false;
    }
    const std::lock_guard<std::mutex> lock(SongFaceMutex());
    SongFamily() = families.first();
    return true;
}

QString RegisteredSongFamily()
{
    const std::lock_guard<std::mutex> lock(SongFaceMutex());
    return SongFamily();
}
