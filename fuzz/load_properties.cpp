// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes loading a widget's property file from arbitrary text. The first input byte
// picks the widget; the rest is the file. A load either succeeds or fails with the
// loading error message; either way the widget then paints without harm.
#include "fuzz/fuzz_check.h"
#include "widgets/dials/knob.h"
#include "widgets/edit/analog_output.h"
#include "widgets/indicators/analog_display.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/indicators/led_round.h"
#include "widgets/indicators/switch_led.h"
#include "widgets/dials/thermometer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {

// The file each input is written to; plain characters so that removing it at exit does
// not depend on objects already destroyed by then.
char filePath[512];

QString FilePath() { return QString::fromLocal8Bit(filePath); }

std::unique_ptr<TiComponent> MakeWidget(std::uint8_t choice)
{
    switch (choice % 7) {
    case 0: return std::make_unique<TiKnob>();
    case 1: return std::make_unique<TiThermometer>();
    case 2: return std::make_unique<TiLedBar>();
    case 3: return std::make_unique<TiSwitchLed>();
    case 4: return std::make_unique<TiLedRound>();
    case 5: return std::make_unique<TiAnalogOutput>();
    default: return std::make_unique<TiAnalogDisplay>();
    }
}

void RemoveFile() { unlink(filePath); }

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    const QByteArray path = QDir::temp().filePath(QStringLiteral("fuzz_load_properties_%1.txt").arg(getpid())).toLocal8Bit();
    std::snprintf(filePath, sizeof filePath, "%s", path.constData());
    std::atexit(RemoveFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    {
        QFile file(FilePath());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the property file");
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    std::unique_ptr<TiComponent> widget = MakeWidget(data[0]);
    widget->resize(120, 120);
    try {
        widget->LoadPropertiesFromFile(FilePath());
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(std::strncmp(error.what(), "Error Loading Properties - ", 27) == 0, "unexpected load error message");
    }
    // Whatever was loaded, the widget must still paint; keep it small so a loaded size
    // does not turn each run into a huge bitmap.
    if (widget->width() > 300 || widget->height() > 300 || widget->width() < 1 || widget->height() < 1)
        widget->resize(120, 120);
    const QPixmap picture = widget->grab();
    FUZZ_CHECK(!picture.isNull(), "the widget did not paint");
    return 0;
}
