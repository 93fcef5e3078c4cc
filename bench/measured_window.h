// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the running-cost programs (the console's driver and the bare reference window)
// share: counting paints and timing the main window's start-up, the one-line report the
// measurement script reads, and the stdin command reader. Header-only and Qt only, so the
// reference program can use it without linking any of the console's code.

#include "bench/launch_clock.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

// Counts paint events of every widget (and of the instrument widgets among them) and
// notes when the main window was first mapped (exposed) and first painted. Install it
// as the application's event filter.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget& mainWindow, std::int64_t launchNs, std::function<bool(QObject*)> isInstrument)
        : mainWindow_(mainWindow), launchNs_(launchNs), isInstrument_(std::move(isInstrument))
    {
    }

    double mainMs = -1;                  // launch to main()
    double applicationMs = -1;           // launch to the application object made
    double windowBuiltMs = -1;           // launch to the main window built
    std::uint64_t paints = 0;            // paint events of any widget
    std::uint64_t instrumentPaints = 0;  // of instrument widgets
    double mappedMs = -1;
    double firstPaintMs = -1;
    std::function<void()> OnFirstPaint;                // called after the first paint has finished
    std::function<void(QWidget*)> OnInstrumentPaint;  // each paint of an instrument

    double SinceLaunchMs() const { return static_cast<double>(RealtimeNs() - launchNs_) / 1e6; }

    // The start-up phases, from the moments main() began and the application was made.
    void NoteStartUp(std::int64_t mainNs, std::int64_t applicationNs)
    {
        mainMs = static_cast<double>(mainNs - launchNs_) / 1e6;
        applicationMs = static_cast<double>(applicationNs - launchNs_) / 1e6;
        windowBuiltMs = SinceLaunchMs();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && mappedMs < 0 && watched == mainWindow_.windowHandle()
            && mainWindow_.windowHandle()->isExposed())
            mappedMs = SinceLaunchMs();
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            NotePaint(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void NotePaint(QWidget* widget)
    {
        ++paints;
        if (isInstrument_(widget)) {
            ++instrumentPaints;
            if (OnInstrumentPaint)
                OnInstrumentPaint(widget);
        }
        if (widget == &mainWindow_ && firstPaintMs < 0) {
            firstPaintMs = SinceLaunchMs();
            if (OnFirstPaint)
                QTimer::singleShot(0, this, OnFirstPaint);
        }
    }

    QWidget& mainWindow_;
    std::int64_t launchNs_;
    std::function<bool(QObject*)> isInstrument_;
};

struct ReplyFigures {
    std::uint64_t decoded = 0;
    std::uint64_t dropped = 0;
    std::uint64_t rejected = 0;
    bool portOpen = false;
};

// The line the measurement script reads after writing "report".
inline void PrintReport(const PaintWatch& watch, const ReplyFigures& replies)
{
    std::printf("report main_ms=%.1f application_ms=%.1f window_built_ms=%.1f mapped_ms=%.1f first_paint_ms=%.1f "
                "paints=%llu instrument_paints=%llu replies_decoded=%llu replies_dropped=%llu replies_rejected=%llu "
                "port_open=%d\n",
                watch.mainMs, watch.applicationMs, watch.windowBuiltMs, watch.mappedMs, watch.firstPaintMs,
                static_cast<unsigned long long>(watch.paints), static_cast<unsigned long long>(watch.instrumentPaints),
                static_cast<unsigned long long>(replies.decoded), static_cast<unsigned long long>(replies.dropped),
                static_cast<unsigned long long>(replies.rejected), replies.portOpen ? 1 : 0);
    std::fflush(stdout);
}

// Reads commands from stdin, one per line; end of input quits the application. A runaway
// line without a newline is dropped instead of growing without bound.
class CommandReader : public QObject {
public:
    explicit CommandReader(std::function<void(const std::string&)> handle) : handle_(std::move(handle))
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, this, [this] { ReadInput(); });
    }

private:
    static constexpr std::size_t MaxCommandLength = 4096;

    void ReadInput()
    {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (count <= 0) {
            notifier_.setEnabled(false);
            QApplication::quit();
            return;
        }
        pending_.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
            handle_(pending_.substr(0, end));
            pending_.erase(0, end + 1);
        }
        if (pending_.size() > MaxCommandLength)
            pending_.clear();
    }

    QSocketNotifier notifier_{STDIN_FILENO, QSocketNotifier::Read};
    std::function<void(const std::string&)> handle_;
    std::string pending_;
};
