"""A stand-in for UDisks2 on a private bus, for the eject tests.

argv[1] is a JSON description:
  {"drives": [{"name": "sdb", "ejectable": true, "canPowerOff": true, "sibling": "",
               "ejectError": null}],
   "filesystems": [{"name": "sdb1", "drive": "sdb", "mountPoint": "/media/x",
                    "unmountError": null}]}
An error is [D-Bus error name, message]. Every Unmount, Eject and PowerOff is logged as
"<Method> <object path>" to the file named by QUILLANE_TEST_LOG.
"""
import json
import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
import dbusmock
from dbusmock import mockobject
from gi.repository import GLib

ROOT = '/org/freedesktop/UDisks2'


def answer(method, error):
    code = f'self.log("{method} " + self.path)\n'
    if error:
        code += f'raise dbus.exceptions.DBusException({error[1]!r}, name={error[0]!r})\n'
    return code


def main():
    layout = json.loads(sys.argv[1])
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(os.environ['QUILLANE_TEST_BUS'])
    name = dbus.service.BusName('org.freedesktop.UDisks2', bus, allow_replacement=True, replace_existing=True,
                                do_not_queue=True)
    manager = mockobject.DBusMockObject(name, ROOT, 'org.freedesktop.UDisks2.Manager', {},
                                        os.environ['QUILLANE_TEST_LOG'], True)
    mockobject.objects[ROOT] = manager
    for drive in layout.get('drives', []):
        path = f'{ROOT}/drives/{drive["name"]}'
        manager.AddObject(path, 'org.freedesktop.UDisks2.Drive', {
            'Ejectable': dbus.Boolean(drive.get('ejectable', False)),
            'CanPowerOff': dbus.Boolean(drive.get('canPowerOff', False)),
            'SiblingId': dbus.String(drive.get('sibling', '')),
        }, [('Eject', 'a{sv}', '', answer('Eject', drive.get('ejectError'))),
            ('PowerOff', 'a{sv}', '', answer('PowerOff', drive.get('ejectError')))])
    for fs in layout.get('filesystems', []):
        path = f'{ROOT}/block_devices/{fs["name"]}'
        manager.AddObject(path, 'org.freedesktop.UDisks2.Block', {
            'Drive': dbus.ObjectPath(f'{ROOT}/drives/{fs["drive"]}'),
        }, [])
        points = [dbus.ByteArray(fs['mountPoint'].encode() + b'\0')] if fs.get('mountPoint') else []
        block = mockobject.objects[path]
        block.AddProperties('org.freedesktop.UDisks2.Filesystem', {
            'MountPoints': dbus.Array(points, signature='ay'),
        })
        block.AddMethod('org.freedesktop.UDisks2.Filesystem', 'Unmount', 'a{sv}', '',
                        answer('Unmount', fs.get('unmountError')))
    GLib.MainLoop().run()


if __name__ == '__main__':
    main()
