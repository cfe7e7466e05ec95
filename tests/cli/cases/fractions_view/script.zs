read values.dat
decimals 3
view 1
list plain 1 2
fractions on
view 1
view 2
list fractions 2 1
# off again: as before, byte for byte
fractions off
view 1
list again 1 2
