#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The console as a screen reader sees it, through the AT-SPI bridge.

Starts the simulator with known registers and the console on its terminal, then, only
through accessibility (names, actions, values, states; no mouse, no keyboard): presses
"打开串口", ticks "通讯", reads the temperature, the output level, the current and the
alarm lamps by name and compares them with the simulator's registers, and stops the
motor with the run/stop switch. Run it under tests/support/with_accessibility_bus:

    with_accessibility_bus test_console_atspi.py --console PATH --sim PATH
"""
import argparse
import os
import subprocess
import sys
import time

import pyatspi

APP_NAME = "softstarter-console"
DEADLINE = 20.0  # seconds for anything to happen; a failing step ends the test there

# The simulator's registers for the run: running at full output (100.0 %, 50.0 A), at
# its settled temperature for full load (90 'C, which raises TEMP MAX), with the alarms
# PWER and T preset; a soft stop of one second.
PRESETS = {0: 1, 3: 1, 6: 90, 7: 0b1001}
TEMPERATURE = 90.0
OUTPUT = 100.0
CURRENT = 50.0
ALARM_NAMES = ["PWER", "R", "S", "T", "TEMP MAX", "TEMP LOA", "CUUR MAX", "CUUR PLO", "CUUR SHO"]
RAISED = {"PWER", "T", "TEMP MAX"}  # register 7 = 0b11001 once the model adds over-temperature


class Failure(Exception):
    pass


# The programs under test: a wait ends at once when one of them has exited.
WATCHED = {}


def check_watched():
    for name, process in WATCHED.items():
        if process.poll() is not None:
            raise Failure(f"{name} exited with status {process.returncode}")


def wait_for(what, condition, timeout=DEADLINE):
    """Polls the condition until it gives a true value or the deadline passes."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        check_watched()
        try:
            result = condition()
            if result:
                return result
        except Exception as error:  # an accessible may vanish or not answer yet
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise Failure(f"{what}: not within {timeout:.0f} s{detail}")
        time.sleep(0.1)


def children(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield child


def walk(accessible):
    yield accessible
    for child in children(accessible):
        yield from walk(child)


def find_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app.name == APP_NAME:
            return app
    return None


def find_all(app, name, role=None):
    return [a for a in walk(app) if a.name == name and (role is None or a.getRole() == role)]


def find_one(app, name, role):
    found = find_all(app, name, role)
    if len(found) != 1:
        raise Failure(f"expected one {pyatspi.Role(role)} named {name!r}, found {len(found)}")
    return found[0]


def do_action(accessible, *names):
    action = accessible.queryAction()
    offered = [action.getName(i) for i in range(action.nActions)]
    for i, offered_name in enumerate(offered):
        if offered_name.lower() in names:
            if not action.doAction(i):
                raise Failure(f"{accessible.name!r}: action {offered_name!r} refused")
            return
    raise Failure(f"{accessible.name!r} offers no action {names}, only {offered}")


def value_of(accessible):
    return accessible.queryValue().currentValue


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def checked(accessible):
    return accessible.getState().contains(pyatspi.STATE_CHECKED)


def start_simulator(sim):
    args = [sim]
    for register, value in PRESETS.items():
        args += ["--set", f"{register}={value}"]
    process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    path = process.stdout.readline().strip()
    if not path.startswith("/"):
        process.kill()
        raise Failure(f"the simulator gave no terminal path: {path!r} {process.stderr.read()}")
    return process, path


def expect_equal(what, seen, expected, failures):
    ok = seen == expected
    print(f"  {what}: {seen!r}" + ("" if ok else f"   EXPECTED {expected!r}"))
    if not ok:
        failures.append(what)


def run(console, sim):
    simulator, device_path = start_simulator(sim)
    console_process = None
    try:
        console_process = subprocess.Popen([console, "--port", device_path])
        WATCHED.update({"the simulator": simulator, "the console": console_process})
        app = wait_for(f"the application {APP_NAME} on the accessibility bus", find_application)
        print(f"found {APP_NAME} with {sum(1 for _ in walk(app))} accessible objects")
        try:
            operate_and_read(app)
        except Failure:
            print_named_objects(app)
            raise
    finally:
        WATCHED.clear()
        for process in (console_process, simulator):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


def print_named_objects(app):
    """What the screen reader saw, for the failure report."""
    print("named objects of the console (role, name, description):", file=sys.stderr)
    try:
        for accessible in walk(app):
            if accessible.name:
                print(f"  {accessible.getRoleName()}: {accessible.name!r} {accessible.description!r}", file=sys.stderr)
    except Exception as error:  # the console may be gone
        print(f"  (the tree could not be read: {error})", file=sys.stderr)


def operate_and_read(app):
    """Operates the console and reads it, through accessibility only."""
    open_button = wait_for("the button 打开串口", lambda: find_one(app, "打开串口", pyatspi.ROLE_PUSH_BUTTON))
    do_action(open_button, "press")
    wait_for("the port opened (the button reads 关闭串口)", lambda: open_button.name == "关闭串口")
    print("pressed 打开串口: the button now reads 关闭串口")

    communication = find_one(app, "通讯", pyatspi.ROLE_CHECK_BOX)
    do_action(communication, "toggle", "press")
    wait_for("通讯 ticked", lambda: checked(communication))
    print("ticked 通讯")

    thermometer = find_one(app, "温度", pyatspi.ROLE_SLIDER)
    wait_for(f"the thermometer at {TEMPERATURE}", lambda: value_of(thermometer) == TEMPERATURE)
    output_bar = find_one(app, "输出量", pyatspi.ROLE_PROGRESS_BAR)
    wait_for(f"the output bar at {OUTPUT}", lambda: value_of(output_bar) == OUTPUT)
    # Each lamp and its caption share the name; the caption is a label. (Qt's bridge
    # gives an indicator the AT-SPI role "unknown".)
    lamps = {name: [a for a in find_all(app, name) if a.getRole() != pyatspi.ROLE_LABEL] for name in ALARM_NAMES}
    wait_for("the alarm lamps' states", lambda: lamps["PWER"][0].description == "报警")

    failures = []
    print("read by name:")
    expect_equal("温度 (thermometer) value", value_of(thermometer), TEMPERATURE, failures)
    temperature_field = find_one(app, "温度", pyatspi.ROLE_TEXT)
    expect_equal("温度 (field) value", value_of(temperature_field), TEMPERATURE, failures)
    expect_equal("温度 (field) text", text_of(temperature_field), "90'C", failures)
    output_field = find_one(app, "输出量", pyatspi.ROLE_TEXT)
    expect_equal("输出量 (field) value", value_of(output_field), OUTPUT, failures)
    expect_equal("输出量 (field) text", text_of(output_field), "100.0", failures)
    expect_equal("输出量 (bar) value", value_of(output_bar), OUTPUT, failures)
    expect_equal("输出量 (bar) maximum", output_bar.queryValue().maximumValue, 100.0, failures)
    # "R_C" names the current's display; its caption reads "R_C" as well, without a value.
    current = [a for a in find_all(app, "R_C") if "Value" in pyatspi.listInterfaces(a)]
    expect_equal("R_C value", [value_of(a) for a in current], [CURRENT], failures)
    for name in ALARM_NAMES:
        found = lamps[name]
        states = [a.description for a in found]
        expect_equal(f"alarm {name}", states, ["报警" if name in RAISED else "正常"], failures)
    switch = find_one(app, "STOP", pyatspi.ROLE_PUSH_BUTTON)
    print(f"  run/stop switch: {switch.name!r}")
    if failures:
        raise Failure("values read differ from the simulator's registers: " + ", ".join(failures))

    do_action(switch, "press")
    wait_for("the switch offering RUN after the stop", lambda: switch.name == "RUN")
    wait_for("the output level down to 0", lambda: value_of(output_bar) == 0.0)
    print("pressed STOP: the switch offers RUN and the output level is 0")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--console", required=True, help="the softstarter-console program")
    parser.add_argument("--sim", required=True, help="the softstarter-sim program")
    args = parser.parse_args()
    started = time.monotonic()
    try:
        run(args.console, args.sim)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print(f"the console read through AT-SPI in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
