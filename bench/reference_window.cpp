// SPDX-License-Identifier: GPL-3.0-or-later
// reference-window: a bare Qt window doing the kind of work the console does, so the
// console's running cost can be compared with Qt's own cost on the same machine and display.
//
// It shows 40 small custom widgets (8 x 5 cells of 100 x 60 pixels, each an antialiased
// circle, an arc and a number) and gives 10 of them a new value every 500 ms. With
// --port PATH it polls the device on PATH once a second: it writes one 8-byte read request
// (station 1, holding registers 0 to 9) and counts a poll answered once 25 bytes of reply
// have arrived. It links nothing but Qt Widgets.
//
// It speaks the same protocol as console-running-cost: prints "ready" once started and
// reads commands from stdin, one per line:
//   report   prints one line of counters (see PrintReport)
// End of input closes the window and ends the program. With --exit-after-first-paint it
// prints the report once the main window has been painted and quits.
//
// Times are measured from the moment given in the environment variable
// CONSOLE_LAUNCH_NS (CLOCK_REALTIME nanoseconds, set by whoever launches the process),
// or from the start of main() when it is missing.

#include "bench/measured_window.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Columns = 8;
constexpr int Rows = 5;
constexpr int CellWidth = 100;
constexpr int CellHeight = 60;
constexpr int CellsPerTick = 10;
constexpr int DisplayIntervalMs = 500;
constexpr int PollIntervalMs = 1000;
constexpr std::size_t ReplyLength = 25;  // 3 header bytes, 10 registers, 2 CRC bytes

// Read holding registers: station 1, start 0, count 10, with its CRC-16.
constexpr std::array<unsigned char, 8> PollRequest{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD};

struct Options {
    QString port;
    bool exitAfterFirstPaint = false;
};

Options ParseOptions(const QStringList& arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--port") && i + 1 < arguments.size())
            options.port = arguments[++i];
        else if (argument == QLatin1String("--exit-after-first-paint"))
            options.exitAfterFirstPaint = true;
        else
            std::fprintf(stderr, "reference-window: ignoring argument %s\n", qPrintable(argument));
    }
    return options;
}

// One instrument-like cell: a ring, an arc whose sweep follows the value, and the value.
class DialCell : public QWidget {
public:
    explicit DialCell(QWidget* parent) : QWidget(parent) {}

    void SetValue(int value)
    {
        if (value == value_)
            return;
        value_ = value;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.fillRect(rect(), QColor(0xF0, 0xF0, 0xF0));
        const int side = height() - 10;
        const QRectF dial(5, 5, side, side);
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
        painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
        painter.drawEllipse(dial);
        painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 4.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(dial.adjusted(4, 4, -4, -4), 225 * 16, -value_ * 270 * 16 / 100);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(side + 10, 0, width() - side - 12, height()), Qt::AlignCenter, QString::number(value_));
    }

private:
    int value_ = 0;
};

// The main window: the grid of cells and the display timer that moves 10 of them per tick.
class ReferenceWindow : public QWidget {
public:
    ReferenceWindow()
    {
        setWindowTitle(QStringLiteral("reference window"));
        setFixedSize(Columns * CellWidth, Rows * CellHeight);
        for (int row = 0; row < Rows; ++row)
            for (int column = 0; column < Columns; ++column) {
                auto* cell = new DialCell(this);
                cell->setGeometry(column * CellWidth, row * CellHeight, CellWidth, CellHeight);
                cells_.push_back(cell);
            }
        QObject::connect(&displayTimer_, &QTimer::timeout, this, [this] { DisplayTick(); });
        displayTimer_.start(DisplayIntervalMs);
    }

private:
    // Each tick the next 10 cells in turn get a new value, so every cell changes each 2 s.
    void DisplayTick()
    {
        ++tick_;
        const int first = (tick_ * CellsPerTick) % static_cast<int>(cells_.size());
        for (int i = 0; i < CellsPerTick; ++i)
            cells_[static_cast<std::size_t>(first + i)]->SetValue((tick_ * 7 + i * 13) % 101);
    }

    std::vector<DialCell*> cells_;
    QTimer displayTimer_;
    int tick_ = 0;
};

// Polls the device on a serial line once a second and counts the 25-byte replies.
class SerialPoller : public QObject {
public:
    ~SerialPoller() override { Close(); }

    bool Open(const QString& path)
    {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) {
            std::fprintf(stderr, "reference-window: cannot open %s: %s\n", qPrintable(path), std::strerror(errno));
            return false;
        }
        if (!ConfigureLine()) {
            std::fprintf(stderr, "reference-window: cannot configure %s: %s\n", qPrintable(path), std::strerror(errno));
            Close();
            return false;
        }
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadReply(); });
        QObject::connect(&pollTimer_, &QTimer::timeout, this, [this] { SendRequest(); });
        pollTimer_.start(PollIntervalMs);
        return true;
    }

    bool IsOpen() const { return fd_ >= 0; }
    std::uint64_t Answered() const { return answered_; }

private:
    // Raw 9600 baud, 8 data bits, no parity, one stop bit, no flow control.
    bool ConfigureLine()
    {
        termios settings{};
        if (::tcgetattr(fd_, &settings) != 0)
            return false;
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B9600);
        settings.c_cflag |= CLOCAL | CREAD;
        settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
        return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
    }

    void SendRequest()
    {
        received_ = 0;
        counted_ = false;
        if (::write(fd_, PollRequest.data(), PollRequest.size()) < 0 && errno != EAGAIN)
            std::fprintf(stderr, "reference-window: write failed: %s\n", std::strerror(errno));
    }

    // Bytes beyond the 25 of a reply are read and dropped; a line that reports an error or
    // end of file (the device went away) stops being watched rather than waking us forever.
    void ReadReply()
    {
        unsigned char buffer[256];
        const ssize_t count = ::read(fd_, buffer, sizeof buffer);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (count <= 0) {
            std::fprintf(stderr, "reference-window: the line closed\n");
            notifier_->setEnabled(false);
            pollTimer_.stop();
            return;
        }
        received_ += static_cast<std::size_t>(count);
        if (!counted_ && received_ >= ReplyLength) {
            counted_ = true;
            ++answered_;
        }
    }

    void Close()
    {
        pollTimer_.stop();
        notifier_.reset();
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer pollTimer_;
    std::size_t received_ = 0;
    bool counted_ = false;
    std::uint64_t answered_ = 0;
};

ReplyFigures Replies(const SerialPoller& poller)
{
    ReplyFigures figures;
    figures.decoded = poller.Answered();
    figures.portOpen = poller.IsOpen();
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::int64_t mainNs = RealtimeNs();
    const std::int64_t launchNs = LaunchNs(mainNs);
    QApplication application(argc, argv);
    const std::int64_t applicationNs = RealtimeNs();
    const Options options = ParseOptions(application.arguments());

    ReferenceWindow window;
    SerialPoller poller;
    PaintWatch watch(window, launchNs, [](QObject* widget) { return dynamic_cast<DialCell*>(widget) != nullptr; });
    watch.NoteStartUp(mainNs, applicationNs);
    application.installEventFilter(&watch);

    if (options.exitAfterFirstPaint) {
        watch.OnFirstPaint = [&] {
            PrintReport(watch, Replies(poller));
            application.quit();
        };
        window.show();
        return application.exec();
    }

    window.show();
    if (!options.port.isEmpty())
        poller.Open(options.port);

    CommandReader commands([&](const std::string& command) {
        if (command == "report")
            PrintReport(watch, Replies(poller));
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}
