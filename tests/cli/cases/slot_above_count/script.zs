read one.dat
view 1
erase 2
view 1
