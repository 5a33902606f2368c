"""A logind stand-in on a private bus: dbusmock's logind template, plus a switch for the sleep race.

Parameters (JSON, as dbusmock's -p): the logind template's own, and
  "SleepBeforeDelayLock": true  - the first request for a delay lock is answered only after
                                  PrepareForSleep(true) went out, on the same connection, so the
                                  client sees the system go to sleep before it holds the lock.
"""
import dbus

from dbusmock.templates import logind
# The template's bus name, object, interface and methods, so that dbusmock finds them here.
from dbusmock.templates.logind import (BUS_NAME, MAIN_IFACE, MAIN_OBJ, SYSTEM_BUS,  # noqa: F401 pylint: disable=unused-import
                                       AddSeat, AddSession, AddUser, ListInhibitors, ListSessions, ListUsers)


def load(mock, parameters):
    logind.load(mock, parameters)
    mock.sleep_before_delay_lock = bool(parameters.get('SleepBeforeDelayLock', False))


@dbus.service.method(MAIN_IFACE, in_signature='ssss', out_signature='h')
def Inhibit(self, what, who, why, mode):
    lock = logind.Inhibit(self, what, who, why, mode)
    if mode == 'delay' and getattr(self, 'sleep_before_delay_lock', False):
        self.sleep_before_delay_lock = False
        # Sent now, the signal goes out before the reply below.
        self.EmitSignal(MAIN_IFACE, 'PrepareForSleep', 'b', [True])
    return lock
