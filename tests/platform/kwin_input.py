"""python-dbusmock template: KWin's input devices on the session bus, for tests.

Written from KWin's published D-Bus interface: the manager org.kde.KWin.InputDeviceManager at
/org/kde/KWin/InputDevice lists the devices' sysNames in `devicesSysNames`, and each device is an
org.kde.KWin.InputDevice at /org/kde/KWin/InputDevice/<sysName> whose settings are read and
written as properties. Only the properties the pointer settings use are here; a property KWin
does not have is refused, as KWin refuses it.

Parameters: {"devices": [{"sysName": "event5", "name": …, "vendor": …, "product": …,
"pointer": bool, "keyboard": bool, "pointerAcceleration": float, "flat": bool}, …]}
"""

import dbus

BUS_NAME = "org.kde.KWin"
MAIN_OBJ = "/org/kde/KWin/InputDevice"
MAIN_IFACE = "org.kde.KWin.InputDeviceManager"
SYSTEM_BUS = False

DEVICE_IFACE = "org.kde.KWin.InputDevice"


def device_properties(d):
    flat = bool(d.get("flat", False))
    return dbus.Dictionary({
        "name": dbus.String(d["name"]),
        "sysName": dbus.String(d["sysName"]),
        "vendor": dbus.UInt32(d["vendor"]),
        "product": dbus.UInt32(d["product"]),
        "pointer": dbus.Boolean(d.get("pointer", False)),
        "keyboard": dbus.Boolean(d.get("keyboard", False)),
        "touchpad": dbus.Boolean(False),
        "supportsPointerAcceleration": dbus.Boolean(d.get("pointer", False)),
        "defaultPointerAcceleration": dbus.Double(0.0),
        "pointerAcceleration": dbus.Double(d.get("pointerAcceleration", 0.0)),
        "supportsPointerAccelerationProfileFlat": dbus.Boolean(True),
        "pointerAccelerationProfileFlat": dbus.Boolean(flat),
        "supportsPointerAccelerationProfileAdaptive": dbus.Boolean(True),
        "pointerAccelerationProfileAdaptive": dbus.Boolean(not flat),
        "scrollFactor": dbus.Double(1.0),
    }, signature="sv")


def load(mock, parameters):
    devices = parameters.get("devices", [])
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({
        "devicesSysNames": dbus.Array([d["sysName"] for d in devices], signature="s"),
    }, signature="sv"))
    for d in devices:
        mock.AddObject(MAIN_OBJ + "/" + d["sysName"], DEVICE_IFACE, device_properties(d), [])
