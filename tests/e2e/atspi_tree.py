#!/usr/bin/python3
"""Prints a window of a process as assistive technology reads it through AT-SPI, one line an object:
role|name|states (checked, indeterminate), and |value for an object with a value. Exit code 1 if the process has
no window of that title (yet). Debian's python3 has the bindings (python3-pyatspi).
usage: atspi_tree.py <process id> <window title>"""
import sys

import pyatspi

STATES = ((pyatspi.STATE_CHECKED, 'checked'), (pyatspi.STATE_INDETERMINATE, 'indeterminate'))


def show(node):
    states = node.getState()
    line = f'{node.getRoleName()}|{node.name}|' + ' '.join(name for state, name in STATES if states.contains(state))
    try:
        line += f'|{node.queryValue().currentValue:g}'
    except NotImplementedError:
        pass
    print(line)
    for child in node:
        show(child)


for app in pyatspi.Registry.getDesktop(0):
    for window in app if app is not None and app.get_process_id() == int(sys.argv[1]) else ():
        if window.name == sys.argv[2]:
            show(window)
            sys.exit(0)
sys.exit(1)
