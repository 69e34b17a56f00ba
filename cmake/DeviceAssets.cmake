# The library of typical devices of the device list window: a JSON file of
# generic entries, built into the program (its sources are noted in it).
qt_add_resources(cc_windows "devicelibrary"
    PREFIX "/devices"
    BASE assets/devices
    FILES assets/devices/typical-devices.json)
