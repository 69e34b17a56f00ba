# The reference tables of the heat produced window: a plain text file, built
# into the program and drawn into pictures when they are first shown.
qt_add_resources(cc_windows "heattables"
    PREFIX "/heat"
    BASE assets/heat
    FILES assets/heat/reference-tables.txt)
