// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP end the console the way closing its window does: the event
// loop returns, the port is closed and the reader and writer threads are joined, and the
// program exits with status 0. Call it first thing in main(); a signal that arrives before
// the event loop runs is acted on as soon as it does.

class QCoreApplication;

// Catches the signals at once. Returns false (and the default actions stay) if the
// signal pipe could not be made.
bool CatchTerminationSignals();

// Quits the application's event loop when a caught signal arrives.
void QuitOnTerminationSignals(QCoreApplication& application);
